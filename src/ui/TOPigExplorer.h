#pragma once

#include "notebook/widgets/QuilloIcons.h"
#include "ui/TOPigSructEd.h"

#include <QIcon>

#include <array>

namespace quillo {

// The guider of the main window: notebooks, field and page sets, fields and pages, never records.
class TOPigExplorer : public TOPigSructEd {
    Q_OBJECT

public:
    explicit TOPigExplorer(QWidget* parent = nullptr);

    bool ShowNode(const TKelPigger& node) const override;
    QString NodeCaption(const TKelPigger& node) const override;
    void NodeImage(QTreeWidgetItem& item) const override;

    // NOTEBOOKS 0, NOTEBOOK 1, FIELDS 2, FIELD 3, PAGES 4, PAGE 5, anything else -1.
    static int ImageIndex(const QByteArray& tag);

private:
    std::array<QIcon, QuilloIcons::GuiderImageCount> m_icons;
};

} // namespace quillo
