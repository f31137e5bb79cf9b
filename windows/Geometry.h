#pragma once

class QWidget;

// The windows lay themselves out in twips, from their client sizes.
namespace geometry {

// A widget's client width and height in twips.
double ScaleWidth(const QWidget* w);
double ScaleHeight(const QWidget* w);
// The outer height of a widget in twips.
double Height(const QWidget* w);
double Top(const QWidget* w);
// Moves a widget within its parent, in twips.
void Move(QWidget* w, double left, double top, double width, double height);
// Changes only the left edge.
void SetLeft(QWidget* w, double left);

} // namespace geometry
