#pragma once

#include "tree/TKelPigger.h"

#include <QByteArray>

// A notebook of the wizard's standard fields and a few pages, small enough (RPP 3) that overflow pages and
// the "#" page come up often.
inline void LoadFuzzNotebook(quillo::TKelPigger& root)
{
    root.LoadFromText(QByteArray("<NOTEBOOKS><NOTEBOOK NAME=\"Fuzz\" RPP=\"3\" BDF=\"BIRTHDAY\"><FIELDS>"
                                 "<FIELD NAME=\"FIRST_NAME\"/><FIELD NAME=\"LAST_NAME\"/><FIELD NAME=\"ADDR\"/>"
                                 "<FIELD NAME=\"PHONES\"/><FIELD NAME=\"E-MAIL\" FEATURE=\"Field is e-mail address\"/>"
                                 "<FIELD NAME=\"BIRTHDAY\" FEATURE=\"Field is date\"/><FIELD NAME=\"MISC\"/></FIELDS>"
                                 "<PAGES><PAGE NAME=\"AB\"/><PAGE NAME=\"CD\"/><PAGE NAME=\"XYZ\"/></PAGES>"
                                 "</NOTEBOOK></NOTEBOOKS>"));
}
