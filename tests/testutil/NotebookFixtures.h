#pragma once

#include <QByteArray>

namespace quillo::testutil {

// One notebook "Friends" (20 records per page) with the fields PERSON and PHONE and the pages A (one record)
// and B, exactly as the program writes it.
QByteArray FriendsNotebookText();

} // namespace quillo::testutil
