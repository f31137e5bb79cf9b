// The floors of the organiser's measures: the same result from pugixml and
// Qt's own widgets, written plainly, in a program that links nothing of the
// organiser, so pugixml keeps its own allocator and the floors a heap of
// their own. A benchmark starts it and sends it requests (see Helper.h); with
// --first and one request as arguments it starts, shows its window, answers
// that request alone and ends, as the first action after a start does.
//
// Requests, each answered with the seconds it took:
//   load PATH      a bare load
//   save PATH      a bare load and a durable save
//   show CHANGE VIEW PATH DAY TITLE
//       a bare load; for CHANGE "add" or "delete" the task TITLE of DAY added
//       or removed and the file saved durably; then VIEW filled and painted:
//       "day" the day's tasks and meetings, "all" every task sorted by day
//       in a model over the document that makes the texts of the rows shown.
//       VIEW is shown filled from the file beforehand, untimed, unless CHANGE
//       is "none", the view being opened ("again": no change, filled anew).
#include "../Helper.h"
#include "../LeastCipher.h"
#include "../PaintWait.h"
#include "../PairedBench.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kPriorities[] = {"Urgent", "High", "Normal", "Low"};
const char* const kStatuses[] = {"Not Started",          "In Progress", "Waiting for someone else",
                                 "Waiting for Decision", "Completed",   "Deferred"};
const char* const kMeetingFor[] = {"General Body Meeting",  "General Client Meeting", "Business Discussions",
                                   "Technical Discussions", "Project Planning",       "Resource Planning"};

template <size_t n> QString codeText(const char* const (&texts)[n], const char* stored) {
    const int code = std::atoi(stored);
    return code >= 0 && static_cast<size_t>(code) < n && *stored ? QString::fromLatin1(texts[code])
                                                                 : QStringLiteral("- Unknown -");
}

// Written to a new file, flushed to the disk, renamed over the old one, and
// the folder flushed: a save that survives a power cut.
bool durableSave(const pugi::xml_document& doc, const std::string& path) {
    const std::string temp = path + ".floor";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    struct Writer : pugi::xml_writer {
        int fd;
        std::string pending;
        bool ok = true;
        void flush() {
            const char* p = pending.data();
            size_t left = pending.size();
            while (left > 0) {
                const ssize_t n = ::write(fd, p, left);
                if (n <= 0) {
                    ok = false;
                    break;
                }
                p += n;
                left -= static_cast<size_t>(n);
            }
            pending.clear();
        }
        void write(const void* data, size_t size) override {
            pending.append(static_cast<const char*>(data), size);
            if (pending.size() >= 256 * 1024)
                flush();
        }
    } w;
    w.fd = fd;
    doc.save(w, "\t", pugi::format_default, pugi::encoding_utf8);
    w.flush();
    const bool written = w.ok && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || std::rename(temp.c_str(), path.c_str()) != 0)
        return false;
    const int dir = ::open(path.substr(0, path.rfind('/')).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

pugi::xml_node findDay(const pugi::xml_document& doc, const char* key) {
    for (pugi::xml_node day : doc.child("zandor").children("date"))
        if (std::strcmp(day.first_attribute().value(), key) == 0)
            return day;
    return {};
}

QTreeWidget* newList(const QStringList& columns) {
    auto* list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels(columns);
    return list;
}

// Every task of a document, as a plain program lists thousands of rows: one
// entry per task, in the order of its day's date, the document kept, and a
// row's texts made only when the view asks for them, for the rows in sight.
class AllTasks : public QAbstractTableModel {
public:
    AllTasks(const paired::LeastCipher& cipher, const QIcon& icon) : m_cipher(cipher), m_icon(icon) {}

    void fill(std::unique_ptr<pugi::xml_document> doc) {
        beginResetModel();
        m_rows.clear();
        m_doc = std::move(doc);
        if (m_doc)
            for (pugi::xml_node day : m_doc->child("zandor").children("date")) {
                // "dd-MM-yyyy" as yyyymmdd.
                const char* key = day.first_attribute().value();
                const int date =
                    std::strlen(key) == 10 ? std::atoi(key + 6) * 10000 + std::atoi(key + 3) * 100 + std::atoi(key) : 0;
                for (pugi::xml_node task : day.child("tasks").children())
                    m_rows.push_back({date, task});
            }
        std::stable_sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) { return a.date < b.date; });
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const captions[] = {"Date", "Title", "Status", "Priority", "Description"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 5)
            return {};
        return QString::fromLatin1(captions[section]);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DecorationRole && index.column() == 0)
            return m_icon;
        if (role != Qt::DisplayRole)
            return {};
        const pugi::xml_node task = m_rows[static_cast<size_t>(index.row())].task;
        switch (index.column()) {
        case 0:
            return QString::fromUtf8(task.parent().parent().first_attribute().value());
        case 1:
            return QString::fromUtf8(task.first_attribute().value());
        case 2:
            return codeText(kStatuses, task.child_value("status"));
        case 3:
            return codeText(kPriorities, task.child_value("priority"));
        default: {
            // As much of the description as the list shows.
            QString desc = m_cipher.decipher(task.child_value("desc"), 31);
            if (desc.size() > 30)
                desc = desc.left(30) + QStringLiteral(" ...");
            return desc;
        }
        }
    }

private:
    struct Row {
        int date;
        pugi::xml_node task;
    };
    const paired::LeastCipher& m_cipher;
    const QIcon& m_icon;
    std::unique_ptr<pugi::xml_document> m_doc;
    std::vector<Row> m_rows;
};

// The window: a blank strip where the organiser has its side bar, and the
// Today view's two lists or the list of every task.
class Floors {
public:
    Floors() {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::darkGreen);
        m_icon = QIcon(pixmap);
        auto* layout = new QHBoxLayout(&m_window);
        auto* side = new QWidget;
        side->setFixedWidth(240);
        layout->addWidget(side);
        layout->addWidget(m_pages, 1);
        auto* dayPage = new QWidget;
        auto* dayLayout = new QVBoxLayout(dayPage);
        m_tasks = newList({"Date", "Title", "Priority", "Status"});
        m_meetings = newList({"Date", "Title", "Meeting For", "Start Time", "End Time"});
        dayLayout->addWidget(m_tasks);
        dayLayout->addWidget(m_meetings);
        m_pages->addWidget(dayPage);
        m_all->setRootIsDecorated(false);
        m_all->setUniformRowHeights(true);
        m_all->setModel(&m_allTasks);
        m_pages->addWidget(m_all);
        m_window.resize(1000, 700);
        m_window.show();
        m_watch.settle();
    }

    double answer(const QStringList& request) {
        const QString& kind = request.value(0);
        if (kind == QLatin1String("load") && request.size() == 2) {
            const std::string path = request[1].toStdString();
            return paired::timeOf([&] {
                pugi::xml_document doc;
                doc.load_file(path.c_str());
            });
        }
        if (kind == QLatin1String("save") && request.size() == 2) {
            const std::string path = request[1].toStdString();
            return paired::timeOf([&] {
                pugi::xml_document doc;
                doc.load_file(path.c_str());
                durableSave(doc, path);
            });
        }
        if (kind == QLatin1String("show") && request.size() == 6)
            return show(request[1], request[2] == QLatin1String("all"), request[3].toStdString(),
                        request[4].toStdString(), request[5].toStdString());
        return -1;
    }

private:
    double show(const QString& change, bool all, const std::string& path, const std::string& day,
                const std::string& title) {
        m_pages->setCurrentIndex(all ? 1 : 0);
        // The list as the person sees it before: filled when the change is
        // made with it shown, empty when it is the view being opened.
        if (change != QLatin1String("none"))
            fill(all, path, day);
        else if (all)
            m_allTasks.fill(nullptr);
        m_watch.settle();
        const auto watched = [this, all](const QWidget* w) {
            return all ? w == m_all->viewport() : w == m_tasks->viewport() || w == m_meetings->viewport();
        };
        return m_watch.timeInput(watched, [&] {
            auto doc = std::make_unique<pugi::xml_document>();
            doc->load_file(path.c_str());
            if (change == QLatin1String("add")) {
                pugi::xml_node task = findDay(*doc, day.c_str()).child("tasks").append_child("task");
                task.append_attribute("title") = title.c_str();
                task.append_child("priority").text() = "2";
                task.append_child("status").text() = "0";
                task.append_child("desc").text() = "";
                task.append_child("remarks");
            } else if (change == QLatin1String("delete")) {
                pugi::xml_node tasks = findDay(*doc, day.c_str()).child("tasks");
                tasks.remove_child(tasks.find_child_by_attribute("task", "title", title.c_str()));
            }
            if (change == QLatin1String("add") || change == QLatin1String("delete"))
                durableSave(*doc, path);
            fill(std::move(doc), all, day);
        });
    }

    void fill(bool all, const std::string& path, const std::string& day) {
        auto doc = std::make_unique<pugi::xml_document>();
        doc->load_file(path.c_str());
        fill(std::move(doc), all, day);
    }

    void fill(std::unique_ptr<pugi::xml_document> doc, bool all, const std::string& day) {
        if (all)
            m_allTasks.fill(std::move(doc));
        else
            fillDay(findDay(*doc, day.c_str()));
    }

    void fillDay(pugi::xml_node day) {
        m_tasks->clear();
        m_meetings->clear();
        const QString key = QString::fromUtf8(day.first_attribute().value());
        for (pugi::xml_node task : day.child("tasks").children()) {
            auto* row = new QTreeWidgetItem(m_tasks);
            row->setText(0, key);
            row->setIcon(0, m_icon);
            row->setText(1, QString::fromUtf8(task.first_attribute().value()));
            row->setText(2, codeText(kPriorities, task.child_value("priority")));
            row->setText(3, codeText(kStatuses, task.child_value("status")));
            emphasise(row, task.child_value("priority"));
        }
        for (pugi::xml_node meeting : day.child("meetings").children()) {
            auto* row = new QTreeWidgetItem(m_meetings);
            row->setText(0, key);
            row->setIcon(0, m_icon);
            row->setText(1, QString::fromUtf8(meeting.first_attribute().value()));
            row->setText(2, codeText(kMeetingFor, meeting.child_value("m_for")));
            row->setText(3, QString::fromUtf8(meeting.child_value("s_time")));
            row->setText(4, QString::fromUtf8(meeting.child_value("e_time")));
            emphasise(row, meeting.child_value("priority"));
        }
    }

    // Urgent rows bold, urgent and high ones coloured, as the Today view has them.
    static void emphasise(QTreeWidgetItem* row, const char* priority) {
        if (*priority != '0' && *priority != '1')
            return;
        for (int c = 0; c < row->columnCount(); ++c) {
            row->setForeground(c, QColor(179, 53, 17));
            if (*priority == '0') {
                QFont bold = row->font(c);
                bold.setBold(true);
                row->setFont(c, bold);
            }
        }
    }

    QWidget m_window;
    QStackedWidget* m_pages = new QStackedWidget;
    QTreeWidget* m_tasks;
    QTreeWidget* m_meetings;
    QIcon m_icon;
    paired::LeastCipher m_cipher;
    AllTasks m_allTasks{m_cipher, m_icon};
    QTreeView* m_all = new QTreeView;
    paired::PaintWatch m_watch;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    Floors floors;
    if (args.value(0) == QLatin1String("--first")) {
        const double seconds = floors.answer(args.mid(1));
        std::printf("%.9f\n", seconds);
        return seconds < 0 ? 1 : 0;
    }
    return paired::serve([&](const QStringList& request) { return floors.answer(request); });
}
