#pragma once

#include "tree/TKelPigger.h"

#include <QLocale>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace quillo::testutil {

// The fields of the new-notebook wizard plus a birthday, web and company field, and the "English ABC" pages.
inline QByteArray ContactsNotebookText(int rpp = 20, const QByteArray& extraFields = {})
{
    return "<NOTEBOOKS><NOTEBOOK NAME=\"Contacts\" RPP=\"" + QByteArray::number(rpp)
        + "\" BDF=\"BIRTHDAY\"><FIELDS><FIELD NAME=\"FIRST_NAME\"/><FIELD NAME=\"LAST_NAME\"/>"
          "<FIELD NAME=\"ADDR\"/><FIELD NAME=\"PHONES\"/><FIELD NAME=\"E-MAIL\" FEATURE=\"Field is e-mail address\"/>"
          "<FIELD NAME=\"HTTP\" FEATURE=\"Field is http\"/><FIELD NAME=\"BIRTHDAY\" FEATURE=\"Field is date\"/>"
          "<FIELD NAME=\"ORG\"/>"
        + extraFields
        + "</FIELDS><PAGES><PAGE NAME=\"AB\"/><PAGE NAME=\"CD\"/><PAGE NAME=\"EF\"/><PAGE NAME=\"GH\"/>"
          "<PAGE NAME=\"IJ\"/><PAGE NAME=\"KL\"/><PAGE NAME=\"MN\"/><PAGE NAME=\"OP\"/><PAGE NAME=\"QRS\"/>"
          "<PAGE NAME=\"TU\"/><PAGE NAME=\"VW\"/><PAGE NAME=\"XYZ\"/></PAGES></NOTEBOOK></NOTEBOOKS>";
}

// Every record as "PAGE: NAME=value; NAME=value", attributes sorted by name, in document order.
inline QStringList RecordLines(const TKelPigger& notebook)
{
    QStringList lines;
    const TKelPigger* pages = notebook.FindChild("PAGES");
    for (const TKelPigger* page = pages->FindChild("PAGE"); page; page = pages->FindNextChild(page))
        for (const TKelPigger* rec = page->FindChild("REC"); rec; rec = page->FindNextChild(rec)) {
            QStringList values;
            for (int i = 0; i < rec->AttrCount(); ++i)
                values.append(rec->AttrName(i) + QLatin1Char('=') + rec->AttrValue(i));
            std::sort(values.begin(), values.end());
            lines.append(
                page->GetAttr(QStringLiteral("NAME")) + QLatin1String(": ") + values.join(QLatin1String("; ")));
        }
    return lines;
}

// The page names in order.
inline QStringList PageNames(const TKelPigger& notebook)
{
    QStringList names;
    const TKelPigger* pages = notebook.FindChild("PAGES");
    for (const TKelPigger* page = pages->FindChild("PAGE"); page; page = pages->FindNextChild(page))
        names.append(page->GetAttr(QStringLiteral("NAME")));
    return names;
}

// Dates in the German short format (dd.MM.yyyy) for the duration of a test.
class GermanDatesTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

} // namespace quillo::testutil
