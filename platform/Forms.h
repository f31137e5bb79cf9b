#pragma once

#include <QString>
#include <typeindex>
#include <vector>

namespace platform {

// A loaded window as the form registry sees it. The windows library gives
// every form a widget base that implements this; the registry itself needs no
// widgets.
class Form {
public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    virtual QString formName() const = 0;
    virtual bool isFormVisible() const = 0;
    // Unloads the form: its unload handlers run and it leaves the registry.
    // Returns false when the form refused to unload.
    virtual bool unloadForm() = 0;

protected:
    // Takes the form out of the registry at once, even when the object itself
    // is destroyed later.
    void leaveRegistry();
};

namespace Forms {

// Loaded forms, in the order they were loaded.
std::vector<Form*> Loaded();
bool IsLoaded(const Form* form);

// The default instance of a form class, if it is loaded.
Form* FindDefault(std::type_index type);
void SetDefault(std::type_index type, Form* form);

// The default instance, loaded on first reference, as the run time's forms
// are: referring to a form that was unloaded loads a fresh one.
template <class T> T& Get() {
    if (Form* f = FindDefault(typeid(T)))
        return *static_cast<T*>(f);
    T* created = new T();
    SetDefault(typeid(T), created);
    return *created;
}

template <class T> T* IfLoaded() {
    return static_cast<T*>(FindDefault(typeid(T)));
}

} // namespace Forms
} // namespace platform
