#include "windows/TitledEditor.h"

#include "data/mFunctions.h"
#include "platform/Ui.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/TextBox.h"
#include "windows/EditorParts.h"

namespace titled_editor {

namespace {

constexpr int kTitleLimit = 50;

} // namespace

bool TitleTaken(int32_t showMode, const platform::TextBox* txtTitle, const QString& containerPath,
                const QString& element) {
    if (showMode != 0 && txtTitle->Text() == txtTitle->Tag())
        return false;
    return mFunctions::NodeExists(containerPath, element, txtTitle->Text());
}

void SayDone(const QString& text) {
    platform::MsgBox(text, platform::MsgStyle::Information, QStringLiteral("Done!"));
}

QVBoxLayout* ContentColumn(QWidget* dialog, QVBoxLayout*& outer) {
    outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(9, 9, 9, 9);
    outer->addLayout(column, 1);
    return column;
}

platform::TextBox* AddTitleBox(QWidget* dialog, QVBoxLayout* column) {
    auto* box = editor_parts::FramedBox<platform::TextBox>(dialog, column, QStringLiteral("Title ... "), "txtTitle", 0);
    box->SetMaxLength(kTitleLimit);
    return box;
}

platform::StatusBar* AddStatusBar(QWidget* dialog, QVBoxLayout* outer) {
    auto* bar = new platform::StatusBar(dialog);
    bar->setObjectName(QStringLiteral("ucSBarNotes"));
    bar->setSizeGripEnabled(false);
    bar->AddPanel(QStringLiteral("Veltrane"), 1440, platform::StatusBar::sbrSpring);
    outer->addWidget(bar);
    return bar;
}

} // namespace titled_editor
