#pragma once
// The pictures of the tool bar and the tool palette.
#include <QIcon>

// The picture of image-list index 0..29 (":/icons/...").
QIcon ToolbarIcon(int index);
