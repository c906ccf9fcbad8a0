#pragma once

#include <QIcon>

namespace quillo::QuilloIcons {

// The guider's six images, by index: NOTEBOOKS 0, NOTEBOOK 1, FIELDS 2, FIELD 3, PAGES 4, PAGE 5.
inline constexpr int GuiderImageCount = 6;
QIcon GuiderIcon(int index);

enum class Tool { New, Open, Save, Search, Remind, Settings, Guider, Up, Down, Program, Undo, Redo };
QIcon ToolIcon(Tool tool);

// The record grid's commands; Up and Down are the tools' arrows.
enum class Command { Append, Delete, Edit, EditForm, Post, Cancel, Up, Down, Print, Http, Email, File };
QIcon CommandIcon(Command command);

} // namespace quillo::QuilloIcons
