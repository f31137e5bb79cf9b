#include "windows/EditorParts.h"

#include "controls/XPButton.h"
#include "data/mGeneralFunctions.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ui/TextBox.h"
#include "windows/DialogKeys.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace editor_parts {

namespace {

XPButton* button(QWidget* dialog, QHBoxLayout* row, const char* name, const QString& caption, QSize size) {
    auto* b = new XPButton(dialog);
    b->setObjectName(QLatin1String(name));
    if (!caption.isEmpty())
        b->setCaption(caption);
    b->setFixedSize(size);
    row->addWidget(b);
    return b;
}

} // namespace

std::pair<XPButton*, XPButton*> AddButtons(QWidget* dialog, QVBoxLayout* column, const char* actName,
                                           const QString& actCaption, const QString& cancelCaption, QSize size) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    XPButton* act = button(dialog, row, actName, actCaption, size);
    XPButton* cancel = button(dialog, row, "btnCancel", cancelCaption, size);
    column->addLayout(row);
    dialog_keys::Bind(dialog, act, cancel);
    return {act, cancel};
}

QComboBox* CodeList(QWidget* parent, const char* name, QString (*text)(int16_t), int count) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (int16_t code = 0; code < count; ++code)
        list->addItem(text(code));
    return list;
}

void NameAfter(QWidget* field, const QString& caption) {
    QString name = platform::WithoutAccessKeys(caption);
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    field->setAccessibleName(name);
}

QLabel* InfoLabel(const QString& text, QWidget* parent, QWidget* field) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("lblInfo"));
    if (field) {
        label->setBuddy(field);
        NameAfter(field, text);
    }
    return label;
}

bool TitleMissing(const platform::TextBox* txtTitle, const QString& text) {
    if (!mGeneralFunctions::IsBlank(txtTitle->Text()))
        return false;
    platform::MsgBox(text, platform::MsgStyle::Information, QStringLiteral("Title?"));
    return true;
}

} // namespace editor_parts
