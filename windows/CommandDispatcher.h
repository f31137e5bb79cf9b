#pragma once

#include <QString>
#include <cstdint>

namespace platform {
class ListItem;
}

namespace mFunctions {

// The one command entry of the windows: a side-bar group key and item key
// switch the view, open an editor or remove the selected record. With a day
// key, a list the view switch shows is filled with that day's records only.
void HandleOptionBarItems(const QString& sGroupKey, const QString& sItemKey, const QString& sDate = QString());

// What the password list does with a row: 1 copies its user name, 2 its
// password, 3 opens its web address.
enum PasswordAction : int16_t { CopyUserName = 1, CopyPassword = 2, OpenUrl = 3 };
void PasswordItemAction(int16_t action, platform::ListItem* item);

} // namespace mFunctions
