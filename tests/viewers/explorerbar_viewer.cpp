// Shows an explorer bar built as the side bar builds it, for looking at it
// under a real display. The style comes from VELTRANE_THEME; keys F1 to F4
// switch it at run time (Classic, Metallic, HomeStead, NormalColor).
#include "controls/ABar.h"
#include "platform/ImageList.h"
#include "platform/ProgramFolder.h"
#include "platform/PropertyBag.h"
#include "platform/ui/ThemeChange.h"
#include "windows/SideBarItems.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>

using platform::Variant;

namespace {

class Host : public QWidget {
public:
    Host() {
        setWindowTitle(QStringLiteral("ExplorerBar"));
        resize(620, 600);
        log = new QPlainTextEdit(this);
        log->setReadOnly(true);
        log->setFocusPolicy(Qt::NoFocus);
        static const char* styles[] = {"Classic", "Metallic", "HomeStead", "NormalColor"};
        for (int k = 0; k < 4; ++k) {
            auto* key = new QShortcut(QKeySequence(Qt::Key_F1 + k), this);
            key->setContext(Qt::ApplicationShortcut);
            const QString style = QString::fromLatin1(styles[k]);
            QObject::connect(key, &QShortcut::activated, this, [this, style] {
                platform::ChangeVisualStyle(style);
                log->appendPlainText(QStringLiteral("style: ") + style);
            });
        }
    }
    QPlainTextEdit* log;

protected:
    void resizeEvent(QResizeEvent*) override { log->setGeometry(250, 8, width() - 258, height() - 16); }
};

Variant I(int v) {
    return Variant::fromInteger(static_cast<int16_t>(v));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Host host;

    auto* images = new platform::ImageList(&host);
    for (int i = 1; i <= 16; ++i)
        images->AddFile(platform::ProgramFile(QStringLiteral("sidebar%1.png").arg(i, 2, 10, QLatin1Char('0'))));

    auto* bar = new ExplorerBar(&host);
    bar->setObjectName(QStringLiteral("ucOptionBar"));
    bar->resize(233, host.height());
    bar->ReadProperties(platform::PropertyBag());

    auto* picContainer = new QWidget(&host);
    picContainer->setObjectName(QStringLiteral("picContainer"));
    picContainer->resize(217, 190);
    auto* calendar = new QCalendarWidget(picContainer);
    calendar->setGridVisible(false);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* calendarLayout = new QVBoxLayout(picContainer);
    calendarLayout->setContentsMargins(6, 6, 6, 6);
    calendarLayout->addWidget(calendar);

    bar->DisableUpdates(true);
    bar->ClearStructure();
    bar->SetImageList(images);
    bar->AddGroup(QStringLiteral("calender"), QStringLiteral("Calender"), I(0));
    bar->SetGroupChild(QStringLiteral("calender"), picContainer);
    bar->AddSpecialGroup(QStringLiteral("Information Display"), images->ListImages(11).Picture);
    bar->AddGroup(QStringLiteral("tasks"), QStringLiteral("Tasks"), I(0));
    bar->AddGroup(QStringLiteral("mtg"), QStringLiteral("Meetings"), I(0), images->ListImages(1).Picture);
    bar->AddGroup(QStringLiteral("note"), QStringLiteral("Notes"), I(0), images->ListImages(1).Picture);
    bar->AddGroup(QStringLiteral("pwd"), QStringLiteral("Passwords"), I(0), images->ListImages(1).Picture);
    for (const SideBarItem& it : kSideBarItems)
        bar->AddItem(QString::fromLatin1(it.group), QString::fromLatin1(it.key), QString::fromLatin1(it.caption),
                     I(it.icon));
    bar->DisableUpdates(false);
    bar->ExpandGroup(I(1), true);
    for (int g = 2; g <= 5; ++g)
        bar->ExpandGroup(I(g), false);

    QPlainTextEdit* log = host.log;
    QObject::connect(bar, &ExplorerBar::ItemClick, [log](const QString& g, const QString& k) {
        log->appendPlainText(QStringLiteral("ItemClick(%1, %2)").arg(g, k));
    });
    QObject::connect(bar, &ExplorerBar::GroupClick, [log](int g, bool& expanded) {
        log->appendPlainText(QStringLiteral("GroupClick(%1, %2)").arg(g).arg(expanded ? "True" : "False"));
    });
    QObject::connect(bar, &ExplorerBar::ItemHover, [log](const QString& g, const QString& k) {
        log->appendPlainText(QStringLiteral("ItemHover(%1, %2)").arg(g, k));
    });
    QObject::connect(bar, &ExplorerBar::GroupHover,
                     [log](const QString& g) { log->appendPlainText(QStringLiteral("GroupHover(%1)").arg(g)); });
    QObject::connect(bar, &ExplorerBar::ItemOut, [log](const QString& g, const QString& k) {
        log->appendPlainText(QStringLiteral("ItemOut(%1, %2)").arg(g, k));
    });
    QObject::connect(bar, &ExplorerBar::GroupOut,
                     [log](const QString& g) { log->appendPlainText(QStringLiteral("GroupOut(%1)").arg(g)); });
    QObject::connect(bar, &ExplorerBar::MouseOver, [log] { log->appendPlainText(QStringLiteral("MouseOver")); });
    QObject::connect(bar, &ExplorerBar::MouseOut, [log] { log->appendPlainText(QStringLiteral("MouseOut")); });

    host.show();
    return app.exec();
}
