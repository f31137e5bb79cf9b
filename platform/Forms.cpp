#include "platform/Forms.h"

#include <algorithm>
#include <map>

namespace platform {

namespace {

struct Registry {
    std::vector<Form*> loaded;
    std::map<std::type_index, Form*> defaults;
};

Registry& registry() {
    static Registry r;
    return r;
}

void forget(Form* form) {
    Registry& r = registry();
    r.loaded.erase(std::remove(r.loaded.begin(), r.loaded.end(), form), r.loaded.end());
    for (auto it = r.defaults.begin(); it != r.defaults.end();) {
        if (it->second == form)
            it = r.defaults.erase(it);
        else
            ++it;
    }
}

} // namespace

Form::Form() {
    registry().loaded.push_back(this);
}
Form::~Form() {
    forget(this);
}
void Form::leaveRegistry() {
    forget(this);
}

namespace Forms {

std::vector<Form*> Loaded() {
    return registry().loaded;
}

bool IsLoaded(const Form* form) {
    const auto& l = registry().loaded;
    return std::find(l.begin(), l.end(), form) != l.end();
}

Form* FindDefault(std::type_index type) {
    auto& d = registry().defaults;
    auto it = d.find(type);
    return it == d.end() ? nullptr : it->second;
}

void SetDefault(std::type_index type, Form* form) {
    registry().defaults[type] = form;
}

} // namespace Forms
} // namespace platform
