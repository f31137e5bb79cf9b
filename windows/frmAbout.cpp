#include "windows/frmAbout.h"

#include "controls/XPButton.h"
#include "data/mGeneralFunctions.h"
#include "platform/Ui.h"
#include "windows/DialogKeys.h"
#include "windows/Pictures.h"
#include "windows/frmMain.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

frmAbout::frmAbout() : FormWidget(QStringLiteral("frmAbout")) {
    makeFixedDialog();

    auto* layout = new QHBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setPixmap(ProgramPicture(QStringLiteral("veltrane-48.png")));
    picture->setAlignment(Qt::AlignTop);
    layout->addWidget(picture);

    auto* column = new QVBoxLayout;
    lblAppTitle = new QLabel(this);
    lblAppTitle->setObjectName(QStringLiteral("lblAppTitle"));
    QFont big = lblAppTitle->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblAppTitle->setFont(big);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* blurb = new QLabel(QStringLiteral("Your tasks, meetings, notes and passwords, in one place."), this);
    blurb->setObjectName(QStringLiteral("lblInfo"));
    column->addWidget(lblAppTitle);
    column->addWidget(lblVersion);
    column->addWidget(blurb);
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnOk = new XPButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setCaption(QStringLiteral("&OK"));
    btnOk->setFixedSize(100, 28);
    buttons->addWidget(btnOk);
    column->addLayout(buttons);
    layout->addLayout(column, 1);

    connect(btnOk, &XPButton::Click, this, &frmAbout::btnOk_Click);
    dialog_keys::Bind(this, btnOk, btnOk);
    resize(420, 170);
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About us"));
    lblAppTitle->setText(QStringLiteral(":: Veltrane ::"));
    lblVersion->setText(mGeneralFunctions::ApplicationBuild(true, true));
    mGeneralFunctions::SetTopMost(platform::HandleOf(this), true);
    // Modeless, it still opens over the main window rather than in a corner.
    if (const frmMain* main = platform::Forms::IfLoaded<frmMain>(); main && main->isVisible())
        move(main->frameGeometry().center() - rect().center());
}

void frmAbout::btnOk_Click() {
    unloadForm();
}
