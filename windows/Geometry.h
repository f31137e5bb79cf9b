#pragma once

class QAbstractScrollArea;
class QWidget;

// The windows lay themselves out in twips, from their client sizes.
namespace geometry {

// A widget's client width and height in twips.
double ScaleWidth(const QWidget* w);
double ScaleHeight(const QWidget* w);
// The width a list's columns share, in twips: inside its frame and beside
// its vertical scroll bar, so columns that share it all never need scrolling
// sideways.
double ColumnsWidth(const QAbstractScrollArea* list);
// The outer height of a widget in twips.
double Height(const QWidget* w);
double Top(const QWidget* w);
// Moves a widget within its parent, in twips.
void Move(QWidget* w, double left, double top, double width, double height);
// Changes only the left edge.
void SetLeft(QWidget* w, double left);

} // namespace geometry
