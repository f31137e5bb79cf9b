#pragma once

#include <QGroupBox>
#include <QSize>
#include <QString>
#include <QVBoxLayout>
#include <cstdint>
#include <utility>

class QComboBox;
class QLabel;
class XPButton;
namespace platform {
class TextBox;
} // namespace platform

// The pieces the record editors' layouts are built of.
namespace editor_parts {

// Names a field for screen readers after the caption that labels it, read
// as a person would: no access-key marks, no trailing dots or colon.
void NameAfter(QWidget* field, const QString& caption);

// A text box alone in a captioned frame, added to the dialog's column.
template <class Box>
Box* FramedBox(QWidget* dialog, QVBoxLayout* column, const QString& caption, const char* name, int stretch) {
    auto* frame = new QGroupBox(caption, dialog);
    auto* box = new Box(frame);
    box->setObjectName(QLatin1String(name));
    NameAfter(box, caption);
    (new QVBoxLayout(frame))->addWidget(box);
    column->addWidget(frame, stretch);
    return box;
}

// The dialog's two buttons, side by side at the right below the column: the
// one that acts (left without a caption when the dialog captions it as it
// loads) and "btnCancel"; Enter and Escape press them (see DialogKeys.h).
std::pair<XPButton*, XPButton*> AddButtons(QWidget* dialog, QVBoxLayout* column, const char* actName,
                                           const QString& actCaption, const QString& cancelCaption, QSize size);

// A list of the texts of codes 0 to count - 1, so an entry's index is its code.
QComboBox* CodeList(QWidget* parent, const char* name, QString (*text)(int16_t), int count);

// A caption that names the field beside or below it (the field it labels,
// when given, is named after it).
QLabel* InfoLabel(const QString& text, QWidget* parent, QWidget* field = nullptr);

// Whether the title box holds nothing but blanks; if so, the person is told
// so with text, under "Title?".
bool TitleMissing(const platform::TextBox* txtTitle, const QString& text);

} // namespace editor_parts
