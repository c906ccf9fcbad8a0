#pragma once

#include <QWidget>

namespace quillo {

class TFrame_Preview;

// The paint box of the preview frame: draws the pages the frame shows and passes the mouse to the report.
class TPreviewBox : public QWidget {
public:
    explicit TPreviewBox(TFrame_Preview& frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TFrame_Preview& m_frame;
};

} // namespace quillo
