#include "testutil/NotebookFixtures.h"

namespace quillo::testutil {

QByteArray FriendsNotebookText()
{
    return "\r\n<NOTEBOOKS>\r\n"
           "\t<NOTEBOOK NAME=\"Friends\" RPP=\"20\">My friends\r\n"
           "\t\t<FIELDS>\r\n"
           "\t\t\t<FIELD NAME=\"PERSON\" WIDTH=\"150\"/>\r\n"
           "\t\t\t<FIELD NAME=\"PHONE\" TITLE=\"Phone number\"/>\r\n"
           "\t\t</FIELDS>\r\n"
           "\t\t<PAGES>\r\n"
           "\t\t\t<PAGE NAME=\"A\">\r\n"
           "\t\t\t\t<REC PERSON=\"Ann\" PHONE=\"123\"/>\r\n"
           "\t\t\t</PAGE>\r\n"
           "\t\t\t<PAGE NAME=\"B\"/>\r\n"
           "\t\t</PAGES>\r\n"
           "\t</NOTEBOOK>\r\n"
           "</NOTEBOOKS>";
}

} // namespace quillo::testutil
