#pragma once
// Database files dropped on the main window: one local file opens as File > Open opens the
// file chosen, the save prompt first.

class QWidget;

void AcceptFileDrops(QWidget& window);
