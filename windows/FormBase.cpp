#include "windows/FormBase.h"

#include "platform/Ui.h"
#include "platform/ui/ScreenFit.h"
#include "windows/Pictures.h"
#include "windows/WindowsAccessible.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <vector>

namespace {

// The forms in their modal runs, the latest last.
std::vector<QPointer<QWidget>> g_modalForms;
QWidget* g_dialogOwner = nullptr;

QWidget* frontModal() {
    if (QWidget* shown = QApplication::activeModalWidget())
        return shown;
    for (auto it = g_modalForms.crbegin(); it != g_modalForms.crend(); ++it)
        if (*it)
            return *it;
    return nullptr;
}

} // namespace

FormCore::FormCore(QWidget* self, const QString& name) : m_self(self), m_name(name) {}

FormCore::~FormCore() {
    if (g_dialogOwner == m_self)
        g_dialogOwner = nullptr;
}

void FormCore::SetDialogOwner(QWidget* owner) {
    g_dialogOwner = owner;
}

bool FormCore::ModalOpen() {
    return !g_modalForms.empty() || QApplication::activeModalWidget();
}

bool FormCore::BringModalToFront() {
    QWidget* modal = frontModal();
    if (!modal)
        return false;
    // A window manager may have minimised the dialog along with its owner.
    if (modal->isMinimized())
        modal->showNormal();
    modal->raise();
    modal->activateWindow();
    return true;
}

void FormCore::bringToFront() {
    if (m_unloading || m_self->isHidden())
        return;
    m_self->raise();
    m_self->activateWindow();
}

bool FormCore::isFormVisible() const {
    return !m_unloading && !m_self->isHidden();
}

void FormCore::Load() {
    if (m_loadRun || m_unloading)
        return;
    m_loadRun = true;
    Form_Load();
    if (!m_unloading)
        afterLoad();
}

void FormCore::Show() {
    Load();
    if (!m_unloading)
        present();
}

void FormCore::ShowModal() {
    Load();
    if (m_unloading)
        return;
    // A dialog stands over the owner handed in, the main window, when there is
    // one, also when that is hidden in the notification area.
    if (!m_self->parentWidget() && g_dialogOwner && g_dialogOwner != m_self)
        m_self->setParent(g_dialogOwner, m_self->windowFlags() | Qt::Dialog);
    // A dialog opens centred over the main window while that is on the
    // screen, else centred on the screen, and no larger than the screen.
    if (!m_self->isVisible()) {
        platform::FitOnScreen(m_self);
        QWidget* owner = m_self->parentWidget() ? m_self->parentWidget()->window() : nullptr;
        QRect area;
        if (owner && owner->isVisible() && !owner->isMinimized())
            area = owner->frameGeometry();
        else if (QScreen* screen = m_self->screen())
            area = screen->availableGeometry();
        if (area.isValid())
            m_self->move(area.center() - QPoint(m_self->width() / 2, m_self->height() / 2));
        platform::FitOnScreen(m_self);
    }
    // Counted while it runs, also when the run ends by an exception; the form
    // may be gone by then.
    struct ModalRun {
        QPointer<QWidget> self;
        int& own;
        ModalRun(QWidget* window, int& count) : self(window), own(count) {
            ++own;
            g_modalForms.emplace_back(window);
        }
        ~ModalRun() {
            if (self)
                --own;
            // Runs nest, so the one that ends is the latest.
            g_modalForms.pop_back();
        }
    } run(m_self, m_modalRuns);
    platform::Ui().showModal(m_self);
}

void FormCore::present() {
    if (!m_self->isVisible())
        platform::FitOnScreen(m_self);
    m_self->show();
    m_self->raise();
    m_self->activateWindow();
}

void FormCore::dispose() {
    m_self->deleteLater();
}

bool FormCore::unloadForm() {
    if (m_unloading)
        return true;
    m_unloading = true;
    m_self->hide();
    if (m_loadRun)
        Form_Unload();
    leaveRegistry();
    if (g_dialogOwner == m_self)
        g_dialogOwner = nullptr;
    dispose();
    // The program ends with its last window, as the run time's does.
    if (platform::Forms::Loaded().empty())
        QCoreApplication::quit();
    return true;
}

FormWidget::FormWidget(const QString& name, QWidget* parent) : QWidget(parent), FormCore(this, name) {
    InstallWindowsAccessibility();
    setObjectName(name);
}

void FormWidget::closeEvent(QCloseEvent* event) {
    event->accept();
    unloadForm();
}

void FormWidget::showEvent(QShowEvent* event) {
    if (m_fixedDialog)
        setFixedSize(size());
    QWidget::showEvent(event);
}

void FormWidget::makeFixedDialog() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ProgramIcon());
    m_fixedDialog = true;
}

MdiChildForm::MdiChildForm(const QString& name, std::function<ChildHost&()> host)
    : FormWidget(name), m_host(std::move(host)) {}

void MdiChildForm::present() {
    m_host().ShowChild(this);
}

void MdiChildForm::dispose() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->hide();
        sub->deleteLater();
    } else {
        deleteLater();
    }
}
