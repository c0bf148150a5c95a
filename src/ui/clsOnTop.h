#pragma once

class QWidget;

// Keeps a window above the windows of other programs (the window system's keep-above band).
// The window keeps its place and size; a call for a window already in the band does nothing,
// so it stays cheap when called often.
class clsOnTop {
public:
    void MakeTopMost(QWidget* hWnd);
    void MakeNormal(QWidget* hWnd);
};

// The one shared object, created when first used.
clsOnTop& onTop();
