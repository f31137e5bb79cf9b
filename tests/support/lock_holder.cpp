// The other copy in the single-instance tests: takes the lock on the program
// folder it is given, says so, and holds it until it is killed.
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// The program folder the test names, in place of this program's own.
struct NamedFolder : platform::ProgramFolderStandIn {
    explicit NamedFolder(const QString& folder) { install(folder); }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const NamedFolder folder(QString::fromLocal8Bit(argv[1]));
    if (platform::PrevInstance())
        return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    std::getchar();
    return 0;
}
