#pragma once

// Modal dialogs answered from zero-delay timers: the dialog under test is
// running its own event loop by the time the answer comes.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace testsupport {

namespace detail {

template <class T>
void LookForModal(std::function<void(T*)> act, int tries, std::shared_ptr<bool> settled,
                  const ::testing::TestInfo* test) {
    QTimer::singleShot(0, [act, tries, settled, test]() {
        // Its test has ended: act may refer to that test's locals, and the
        // dialog showing now is another test's to answer.
        if (::testing::UnitTest::GetInstance()->current_test_info() != test) {
            *settled = true;
            return;
        }
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (w && w->isVisible()) {
            *settled = true;
            act(w);
        } else if (tries > 0) {
            LookForModal<T>(act, tries - 1, settled, test);
        } else {
            *settled = true;
        }
    });
}

} // namespace detail

// Runs act on the next modal window of type T once it shows. The flag it
// returns turns true when the window is found (act then runs) or the tries are
// used up, so a test can wait out a dialog that must not open. It looks only
// while the test that asked runs.
template <class T = QWidget> std::shared_ptr<const bool> OnNextModal(std::function<void(T*)> act, int tries = 2000) {
    auto settled = std::make_shared<bool>(false);
    detail::LookForModal<T>(std::move(act), tries, settled, ::testing::UnitTest::GetInstance()->current_test_info());
    return settled;
}

} // namespace testsupport
