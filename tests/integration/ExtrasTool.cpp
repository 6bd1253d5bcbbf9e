// Runs the extras export or import against a player's library file, as the Library page's
// "Transfer with" does, with the file dialogs answered by the command line: lets the
// real-player scripts carry ratings out of a real player's library and back in.
//   extras_tool export|import bolvin|rhythmbox|strawberry|file LIBRARY EXTRAS.xml
#include "FakeTransferView.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/sources/FileLibrary.h"
#include "library/sources/LibrarySourceKind.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace
{
constexpr int kExitUsage = 2;

std::optional<LibrarySourceKind> kindOf(const QString& name)
{
    if (name == QLatin1String("bolvin"))
        return LibrarySourceKind::Bolvin;
    if (name == QLatin1String("rhythmbox"))
        return LibrarySourceKind::Rhythmbox;
    if (name == QLatin1String("strawberry"))
        return LibrarySourceKind::Strawberry;
    if (name == QLatin1String("file"))
        return LibrarySourceKind::File;
    return std::nullopt;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::optional<LibrarySourceKind> kind = args.size() == 5 ? kindOf(args[2]) : std::nullopt;
    const bool exporting = args.value(1) == QLatin1String("export");
    if (!kind || (!exporting && args.value(1) != QLatin1String("import"))) {
        std::fprintf(stderr, "usage: extras_tool export|import bolvin|rhythmbox|strawberry|file LIBRARY EXTRAS.xml\n");
        return kExitUsage;
    }
    QString error;
    std::shared_ptr<FileLibrary> library = LibrarySources::open(*kind, args[3], &error);
    if (!library) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    FakeTransferView view;
    view.savePath = args[4];
    view.openPath = args[4];
    TransferOutcome outcome;
    if (exporting) {
        outcome
            = ExtrasExport(library, view, ExportOptions { QStringLiteral("All"), true }, [] { return false; }).run();
    } else {
        ExtrasImport transfer(
            library, view, ImportOptions { true, true, true, QStringLiteral("Replace"), true }, [] { return false; });
        transfer.setStore(library.get());
        outcome = transfer.run();
    }
    for (const QString& message : view.messages)
        std::printf("%s\n", qPrintable(message));
    return outcome == TransferOutcome::Completed ? 0 : 1;
}
