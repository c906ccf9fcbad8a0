#pragma once

#include <QIcon>

namespace quillo::RecordIcons {

enum class Command { Append, Delete, Edit, EditForm, Post, Cancel, Up, Down, Print, Http, Email, File };
QIcon CommandIcon(Command command);

} // namespace quillo::RecordIcons
