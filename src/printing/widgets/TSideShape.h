#pragma once

#include <QWidget>

namespace quillo {

// One half of the open notebook in the side dialog: a click chooses it, and the chosen half is outlined
// with a dotted pen.
class TSideShape : public QWidget {
    Q_OBJECT
public:
    explicit TSideShape(QWidget* parent = nullptr);

    bool Outlined() const { return m_outlined; }
    void SetOutlined(bool outlined);

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_outlined = false;
};

} // namespace quillo
