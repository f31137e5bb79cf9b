#include "windows/frmPassword.h"

#include "controls/XPButton.h"
#include "data/cRC4.h"
#include "data/mGeneralFunctions.h"
#include "data/mPasswords.h"
#include "platform/Ui.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/TextBox.h"
#include "windows/EditorParts.h"
#include "windows/TitledEditor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <tuple>

using platform::MsgStyle;

namespace {

constexpr int kUserNameLimit = 40;
constexpr int kPasswordLimit = 25;
constexpr int kUrlLimit = 200;
constexpr int kNotesLimit = 400;
// Shorter passwords make the editor ask before saving.
constexpr int kShortPassword = 5;

void information(const QString& text, const QString& title) {
    platform::MsgBox(text, MsgStyle::Information, title);
}

} // namespace

frmPassword::frmPassword() : FormWidget(QStringLiteral("frmPassword")) {
    makeFixedDialog();

    QVBoxLayout* outer = nullptr;
    QVBoxLayout* column = titled_editor::ContentColumn(this, outer);
    txtTitle = titled_editor::AddTitleBox(this, column);

    auto* details = new QGroupBox(QStringLiteral("Password Details ... "), this);
    auto* grid = new QGridLayout(details);
    const char* captions[] = {"User Name:", "Password:"};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(QLatin1String(captions[i]), details);
        label->setObjectName(QStringLiteral("lblInfo"));
        label->installEventFilter(this);
        grid->addWidget(label, i, 0);
        lblInfo.append(label);
    }
    txtUserName = new platform::TextBox(details);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->SetMaxLength(kUserNameLimit);
    txtPassword = new platform::TextBox(details);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->SetMaxLength(kPasswordLimit);
    grid->addWidget(txtUserName, 0, 1);
    grid->addWidget(txtPassword, 1, 1);
    // Each box is read out by its own label, not by the frame's caption.
    platform::TextBox* labelled[] = {txtUserName, txtPassword};
    for (int i = 0; i < 2; ++i) {
        lblInfo[i]->setBuddy(labelled[i]);
        editor_parts::NameAfter(labelled[i], lblInfo[i]->text());
    }
    grid->setColumnStretch(1, 1);
    column->addWidget(details);
    setPasswordMask(QString());

    txtURL = editor_parts::FramedBox<platform::TextBox>(this, column, QStringLiteral("URL ... "), "txtURL", 0);
    txtURL->SetMaxLength(kUrlLimit);
    txtNotes = editor_parts::FramedBox<platform::MultiLineTextBox>(
        this, column, QStringLiteral("Additional Notes ... "), "txtNotes", 1);
    txtNotes->SetMaxLength(kNotesLimit);
    txtNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    std::tie(btnCreate, btnCancel) =
        editor_parts::AddButtons(this, column, "btnCreate", QString(), QStringLiteral("Cancel"), QSize(130, 28));
    ucSBarNotes = titled_editor::AddStatusBar(this, outer);

    connect(btnCreate, &XPButton::Click, this, &frmPassword::btnCreate_Click);
    connect(btnCancel, &XPButton::Click, this, &frmPassword::btnCancel_Click);
    resize(480, 500);
}

void frmPassword::AddPassword() {
    frmPassword& editor = titled_editor::Fresh<frmPassword>();
    editor.ShowMode = 0;
    editor.ShowModal();
}

void frmPassword::EditPassword(const QString& sTitle) {
    frmPassword& editor = titled_editor::Fresh<frmPassword>();
    editor.PasswordTitle = sTitle;
    editor.ShowMode = 1;
    editor.ShowModal();
}

void frmPassword::Form_Load() {
    if (ShowMode != 0) {
        btnCreate->setCaption(QStringLiteral("&Save Changes"));
        setWindowTitle(QStringLiteral("Edit Password Details ..."));
        LoadPasswordData();
        return;
    }
    btnCreate->setCaption(QStringLiteral("&Save Details"));
    setWindowTitle(QStringLiteral("Add New Password Details ..."));
}

void frmPassword::LoadPasswordData() {
    // An entry that is gone has been reported by the store; its empty record
    // leaves the fields empty.
    const PasswordRecord rec = mPasswords::GetPassword(PasswordTitle);
    txtTitle->SetText(rec.Title);
    txtTitle->SetTag(rec.Title);
    txtUserName->SetText(DecipherOptionalField(rec.UserName));
    txtPassword->SetText(DecipherOptionalField(rec.Password));
    txtURL->SetText(rec.URL);
    txtNotes->SetText(DecipherOptionalField(rec.Notes));
    m_read.title = {rec.Title, txtTitle->Text()};
    m_read.userName = {rec.UserName, txtUserName->Text()};
    m_read.password = {rec.Password, txtPassword->Text()};
    m_read.url = {rec.URL, txtURL->Text()};
    m_read.notes = {rec.Notes, txtNotes->Text()};
}

void frmPassword::btnCreate_Click() {
    if (editor_parts::TitleMissing(txtTitle, QStringLiteral("Please specify Title.")))
        return;
    if (titled_editor::TitleTaken(ShowMode, txtTitle, QStringLiteral(".//zandor/passwords"),
                                  QStringLiteral("password"))) {
        information(QStringLiteral("Password information with same Title already exists."),
                    QStringLiteral("Same titled Password exists!"));
        return;
    }
    const QString password = txtPassword->Text();
    if (mGeneralFunctions::IsBlank(password)) {
        information(QStringLiteral("Please specify the Password which you want to save."), QStringLiteral("Password?"));
        return;
    }
    if (password.size() < kShortPassword &&
        platform::MsgBox(
            QStringLiteral("The Length of the Password you specified is only ") + QString::number(password.size()) +
                QStringLiteral(", which is too less than usual Password lengths (at least 8 characters). "
                               "Would you like to continue with specified Password?"),
            MsgStyle::YesNoQuestion, QStringLiteral("Password is too small. Continue?")) != platform::MsgAnswer::Yes)
        return;

    PasswordRecord rec;
    rec.Title = m_read.title.StoredFor(txtTitle->Text(), txtTitle->Text());
    rec.UserName = m_read.userName.StoredFor(txtUserName->Text(), EncipherOptionalField(txtUserName->Text()));
    rec.Password = m_read.password.StoredFor(password, EncipherField(password));
    rec.URL = m_read.url.StoredFor(txtURL->Text(), txtURL->Text());
    rec.Notes = m_read.notes.StoredFor(txtNotes->Text(), EncipherOptionalField(txtNotes->Text()));

    if (titled_editor::Save(ShowMode, rec, txtTitle->Tag(), mPasswords::SavePassword,
                            QStringLiteral("New Password Details added successfully!"),
                            QStringLiteral("Changes saved successfully!")))
        unloadForm();
}

void frmPassword::btnCancel_Click() {
    unloadForm();
}

void frmPassword::lblInfo_Click(int16_t Index) {
    if (Index != 1)
        return;
    setPasswordMask(txtPassword->PasswordChar() == QLatin1String("*") ? QString() : QStringLiteral("*"));
}

void frmPassword::setPasswordMask(const QString& mask) {
    txtPassword->SetPasswordChar(mask);
    // No input method composes into the password, masked or not.
    txtPassword->setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool frmPassword::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int index = lblInfo.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0 && mouse->button() == Qt::LeftButton &&
            lblInfo[index]->rect().contains(mouse->position().toPoint())) {
            lblInfo_Click(static_cast<int16_t>(index));
            return true;
        }
    }
    return FormWidget::eventFilter(watched, event);
}
