#include "CommandLine.h"
#include "DataFolder.h"
#include "DbError.h"
#include "DefaultLayouts.h"
#include "FapiaoApplication.h"
#include "FontSubstitutions.h"
#include "FrameWindow.h"
#include "TForm1.h"
#include "TepassForm.h"
#include "Thintform.h"
#include "TloginForm.h"
#include "TtsForm.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>
#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// Without a session's runtime folder Qt picks a private one and warns about it on every run;
// picking the same folder ourselves keeps the command line's output clean.
void ensureRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString folder = QDir::tempPath() + QStringLiteral("/runtime-%1").arg(getuid());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
}

int runCommand(int argc, char** argv, const QStringList& args) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // commands draw PDFs, never windows
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(FAPIAO_VERSION));
    installFontSubstitutions();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = CommandLine::run(args, QCoreApplication::applicationDirPath(), out, err);
    out.flush();
    err.flush();
    return code;
}

// The other windows, in the order the program creates them. The staging window belongs to the
// main window's print commands; the sample lists are made by the print menu.
void createWindows(TForm1& main) {
    const auto frame = [&](const char* name, const char* caption) -> QDialog* {
        return new FrameWindow(QString::fromLatin1(name + 1), QString::fromUtf8(caption), &main);
    };
    const QList<QPair<QString, QDialog*>> windows = {
        {"TloginForm", new TloginForm(main.userqry(), &main)},
        {"TForm2", frame("TForm2", "收款情况打印")},
        {"Tghdwform",
         frame("Tghdwform", "购货单位----导入Excel资料格式及资料页名称要求，请看帮助")},
        {"Txhdwform",
         frame("Txhdwform", "销货单位----导入Excel资料格式及资料页名称要求，请看帮助")},
        {"Thintform", new Thintform(&main)},
        {"TSpForm", frame("TSpForm", "商品资料----导入Excel资料格式及资料页名称要求，请看帮助")},
        {"TjsForm", frame("TjsForm", "价税计算")},
        {"TtsForm", new TtsForm(main.userqry(), &main)},
        {"TepassForm", new TepassForm(main.userqry(), &main)}};
    for (const auto& [name, window] : windows)
        main.setWindow(name, window);
}

} // namespace

int main(int argc, char** argv) {
    ensureRuntimeFolder();
    const QStringList args = argumentsOf(argc, argv);
    if (CommandLine::wantsCommand(args))
        return runCommand(argc, argv, args);

    FapiaoApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fapiao"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FAPIAO_VERSION));
    const QString folder = DataFolder::resolve(QCoreApplication::applicationDirPath(),
                                               CommandLine::dataDirOption(args));
    TForm1 main(folder);
    createWindows(main);
    main.resize(main.screen()->availableGeometry().size()); // for desktops that cannot maximise
    main.showMaximized();
    return app.exec();
}
