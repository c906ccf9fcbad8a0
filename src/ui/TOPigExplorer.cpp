#include "ui/TOPigExplorer.h"

#include "tree/TKelPigger.h"

#include <QTreeWidget>

#include <array>

namespace quillo {

namespace {

constexpr std::array<const char*, QuilloIcons::GuiderImageCount> ImageTags { "NOTEBOOKS", "NOTEBOOK", "FIELDS", "FIELD",
    "PAGES", "PAGE" };

} // namespace

TOPigExplorer::TOPigExplorer(QWidget* parent)
    : TOPigSructEd(parent)
{
    TV1->setIconSize(QSize(16, 16));
    for (int i = 0; i < QuilloIcons::GuiderImageCount; ++i)
        m_icons[size_t(i)] = QuilloIcons::GuiderIcon(i);
}

bool TOPigExplorer::ShowNode(const TKelPigger& node) const { return node.Tag() != "REC"; }

QString TOPigExplorer::NodeCaption(const TKelPigger& node) const
{
    const bool named = node.Tag() == "FIELD" || node.Tag() == "PAGE";
    const QString partA = named ? QString() : QString::fromUtf8(node.Tag());
    const QString name = node.GetAttr(QStringLiteral("NAME"));
    const QString title = node.GetAttr(QStringLiteral("TITLE"));
    const QString partB = title.isEmpty() ? name : title;
    const QString separator = !partA.isEmpty() && !name.isEmpty() ? QStringLiteral(":") : QString();
    return partA + separator + partB;
}

int TOPigExplorer::ImageIndex(const QByteArray& tag)
{
    for (size_t i = 0; i < ImageTags.size(); ++i)
        if (tag == ImageTags[i])
            return int(i);
    return -1;
}

void TOPigExplorer::NodeImage(QTreeWidgetItem& item) const
{
    const TKelPigger* node = NodeOf(&item);
    const int index = node ? ImageIndex(node->Tag()) : -1;
    item.setIcon(0, index >= 0 ? m_icons[size_t(index)] : QIcon());
    item.setData(0, Qt::UserRole, index);
}

} // namespace quillo
