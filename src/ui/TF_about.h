#pragma once

#include <QDialog>

class QLabel;

namespace quillo {

// The about box: product name, edition, version and a link to the user guide.
class TF_about : public QDialog {
    Q_OBJECT

public:
    explicit TF_about(QWidget* parent = nullptr);

    static QString Version();

    QLabel* Label_product = nullptr;
    QLabel* Label_edition = nullptr;
    QLabel* Label_version = nullptr;
    QLabel* Label_webpage = nullptr;

signals:
    // The link to the user guide was followed.
    void GuideWanted();
};

} // namespace quillo
