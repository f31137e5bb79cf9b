#pragma once

class QWidget;

namespace platform {

// Makes a top-level window no larger than its screen's available area and
// moves it, frame and all, onto that area, so every part of it (its buttons
// above all) can be reached however large the screen's scale makes it. A
// window that cannot shrink that far keeps its smallest size, at the area's
// top left. Before the window is first shown its frame is not known yet; its
// size keeps room for a title bar of the style's height.
void FitOnScreen(QWidget* window);

} // namespace platform
