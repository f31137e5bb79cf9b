#pragma once

#include "platform/Forms.h"

#include <QString>
#include <QWidget>
#include <functional>

// What every window of the organiser shares with the run time's forms: a name,
// a load handler that runs once, on the first use of the form's controls or
// its first Show, and an unload that hides the window, runs its unload
// handler and takes it out of the loaded forms at once, so the next reference
// loads a fresh window. The widget itself is deleted later, when no event
// handler of it can still be running.
class FormCore : public platform::Form {
public:
    FormCore(QWidget* self, const QString& name);
    ~FormCore() override;

    QString formName() const override { return m_name; }
    bool isFormVisible() const override;
    bool unloadForm() override;

    // Runs the load handler, once.
    void Load();
    // Loads the form and shows it without waiting.
    void Show();
    // Loads the form and shows it modally: returns once it is hidden or
    // unloaded.
    void ShowModal();
    bool isUnloaded() const { return m_unloading; }
    // Whether the form is on the screen or its modal run has not ended yet.
    bool isShowing() const { return m_modalRuns > 0 || isFormVisible(); }
    // Whether the form is shown without its opener waiting for it.
    bool isShownModeless() const { return m_modalRuns == 0 && isFormVisible(); }
    // Raises the form above the others and gives it the focus.
    void bringToFront();
    // Whether a form's modal run, or any other modal window, is open now.
    static bool ModalOpen();
    // Raises the window an answer is awaited from (the modal window in
    // front, a message box say, else the form whose modal run began last) and
    // gives it the focus, so a request it holds up is seen to be held up;
    // false when no modal window is open.
    static bool BringModalToFront();
    // The window a dialog without a parent opens over: the main window hands
    // itself in when it is made, and is out again once it unloads.
    static void SetDialogOwner(QWidget* owner);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // Puts the loaded window on the screen; a child of the main window shows
    // itself in the main window's client area instead.
    virtual void present();
    // Runs after the load handler; children of the main window are shown as
    // soon as they are loaded.
    virtual void afterLoad() {}
    // Takes the window off the screen for good and deletes it later.
    virtual void dispose();

private:
    QWidget* m_self;
    QString m_name;
    bool m_loadRun = false;
    bool m_unloading = false;
    int m_modalRuns = 0;
};

// A window of its own (a dialog or a hidden helper window). Closing it by its
// frame unloads it.
class FormWidget : public QWidget, public FormCore {
    Q_OBJECT
public:
    explicit FormWidget(const QString& name, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A fixed dialog: a title and a close button, nothing to minimise or
    // maximise, and the program's icon. It keeps the size it is shown with,
    // so the window manager frames it without a resize handle (one that
    // some draw as a strip of grips right under the dialog's status bar).
    void makeFixedDialog();

private:
    bool m_fixedDialog = false;
};

// The window whose client area holds the child windows: the main window.
class ChildHost {
public:
    // Shows a child window maximised in the client area, in front of the
    // others.
    virtual void ShowChild(QWidget* form) = 0;

protected:
    ~ChildHost() = default;
};

// A child window of the main window's client area: shown maximised there as
// soon as it is loaded, in front of the children loaded before it.
class MdiChildForm : public FormWidget {
    Q_OBJECT
public:
    // host gives the window the child shows in, loading it first if need be;
    // it is asked each time the child is put on the screen.
    MdiChildForm(const QString& name, std::function<ChildHost&()> host);

protected:
    void present() override;
    void afterLoad() override { present(); }
    void dispose() override;

private:
    std::function<ChildHost&()> m_host;
};

// The default instance of a form, loaded: what a reference to one of its
// controls gives.
template <class T> T& UseForm() {
    T& form = platform::Forms::Get<T>();
    form.Load();
    return form;
}
