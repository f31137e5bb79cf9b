// The windows' share of the speed: the all-tasks list shown (filled, sorted and
// painted) against a bare parse, the least decipher of the same descriptions
// and a sort of the same rows; and a whole user action, the task editor's save
// with its checks and the list reload after it, against one durable load and
// save. Each run starts on a file another program has just written.
#include "../PairedBench.h"
#include "data/Views.h"
#include "platform/FileIO.h"
#include "platform/ProgramFolder.h"
#include "platform/Ui.h"
#include "platform/ui/DateTimePickers.h"
#include "platform/ui/ListView.h"
#include "platform/ui/TextBox.h"
#include "windows/frmDisplay.h"
#include "windows/frmMain.h"
#include "windows/frmTasks.h"

#include <QApplication>
#include <QTemporaryDir>

namespace {

// Answers every box as a person going ahead would.
class GoAhead : public platform::UiHandler {
public:
    platform::MsgAnswer messageBox(const QString&, platform::MsgStyle style, const QString&) override {
        return style == platform::MsgStyle::YesNoQuestion ? platform::MsgAnswer::Yes : platform::MsgAnswer::Ok;
    }
    void showModal(QObject*) override {}
    [[noreturn]] void endProcess(int) override { std::abort(); }
    void setTopMost(int32_t, bool) override {}
};

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}
QString dataPath() {
    return folder().filePath(QStringLiteral("data.xml"));
}
QByteArray& original() {
    static QByteArray bytes;
    return bytes;
}

void useSize(int years) {
    static int current = 0;
    if (current == years)
        return;
    current = years;
    original() = paired::generate(years);
    paired::putFile(dataPath(), original());
    std::printf("%d years: data.xml of %lld bytes\n", years, static_cast<long long>(original().size()));
}

struct Row {
    QString day, sortDay, title, desc;
};

// The floor of the list: the rows the list shows, from a bare parse, with the
// least decipher, sorted as the list sorts them.
void floorList(const std::string& path) {
    static const paired::LeastDecipher decipher;
    pugi::xml_document doc;
    doc.load_file(path.c_str());
    std::vector<Row> rows;
    for (pugi::xml_node day : doc.child("zandor").children("date")) {
        const QString key = QString::fromUtf8(day.first_attribute().value());
        // "dd-mm-yyyy" as "yyyymmdd", so the days sort by date.
        const QString sortDay = key.mid(6, 4) + key.mid(3, 2) + key.left(2);
        for (pugi::xml_node task : day.first_child().children())
            rows.push_back(Row{key, sortDay, QString::fromUtf8(task.first_attribute().value()),
                               decipher(task.child("desc").text().get())});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.sortDay < b.sortDay; });
    benchmark::DoNotOptimize(rows.data());
}

void showAllTasks() {
    mFunctions::SetCurrentView(mFunctions::ViewTasks);
    frmDisplay& display = UseForm<frmDisplay>();
    views::LoadScheduleList(0, QString());
    benchmark::DoNotOptimize(display.lstData->ListItems().Count());
    display.repaint();
}

// "Add New Task" filled in and saved, as the person does it.
void addThroughEditor(const QDate& day, int view) {
    mFunctions::SetCurrentView(view);
    static int n = 0;
    frmTasks& editor = UseForm<frmTasks>();
    editor.ShowMode = 0;
    editor.txtTitle->SetText(QStringLiteral("Added %1").arg(++n));
    editor.ucDTPicker->SetValue(day);
    editor.btnSave_Click();
}

void registerSize(const paired::Size& size) {
    const int years = size.years;
    const std::string path = dataPath().toStdString();
    const QDate day = QDate::fromString(paired::middleDay(years), QStringLiteral("dd-MM-yyyy"));
    auto fresh = [] { paired::putFile(dataPath(), original()); };
    auto before = [years] { useSize(years); };
    paired::add(size,
                {"all-tasks list shown (fill, sort, paint)", "parse + least decipher + sort", 1.5, fresh, showAllTasks,
                 [path] { floorList(path); }},
                before);
    paired::add(size,
                {"user action: add task, Today view", "one durable load + save", 1.5, fresh,
                 [day] { addThroughEditor(day, mFunctions::ViewToday); }, [path] { paired::floorLoadAndSave(path); }},
                before);
    paired::add(size,
                {"user action: add task, all-tasks view", "one durable load + save", 1.5, fresh,
                 [day] { addThroughEditor(day, mFunctions::ViewTasks); }, [path] { paired::floorLoadAndSave(path); }},
                before);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", folder().path().toUtf8());
    QApplication app(argc, argv);
    platform::SetAppPath(folder().path());
    platform::InstallUiHandler(std::make_shared<GoAhead>());
    useSize(1);
    QFile config(platform::ProgramFile(QStringLiteral("AppCfg.cfg")));
    config.open(QIODevice::WriteOnly);
    config.write("[password]\nenabled=0\npassword=\n\n[app]\nstartup=0\n");
    config.close();
    platform::Forms::Get<frmMain>().Show();
    UseForm<frmDisplay>().lstData->SetSorted(true);
    for (const paired::Size& size : paired::sizes())
        registerSize(size);
    return paired::run(argc, argv);
}
