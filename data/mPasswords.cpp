#include "data/mPasswords.h"

#include "data/TitledStore.h"
#include "data/Views.h"

namespace mPasswords {

namespace {

const TitledStore::Kind& passwords() {
    static const TitledStore::Kind kind{
        QStringLiteral(".//zandor/passwords"),
        QStringLiteral("password"),
        {QStringLiteral("uname"), QStringLiteral("pwd"), QStringLiteral("url"), QStringLiteral("anote")}};
    return kind;
}

void reloadIfShowing() {
    if (mFunctions::CurrentView() == mFunctions::ViewPasswords)
        views::LoadPasswordsList();
}

} // namespace

bool SavePassword(const PasswordRecord& rec, bool IsNew, const QString& OldTitle) {
    if (!TitledStore::Save(passwords(), rec.Title, {rec.UserName, rec.Password, rec.URL, rec.Notes}, IsNew, OldTitle,
                           {true, true, true, true}))
        return false;
    reloadIfShowing();
    return true;
}

PasswordRecord GetPassword(const QString& Title) {
    QString title;
    TitledStore::Fields f;
    if (!TitledStore::Get(passwords(), Title, title, f))
        return PasswordRecord();
    return PasswordRecord{title, f[0], f[1], f[2], f[3]};
}

bool DeletePassword(const QString& Title) {
    const TitledStore::DeleteResult result = TitledStore::Delete(passwords(), Title);
    if (result == TitledStore::DeleteResult::Removed || result == TitledStore::DeleteResult::NotFound)
        reloadIfShowing();
    return result == TitledStore::DeleteResult::Removed;
}

} // namespace mPasswords
