#include "CommandLine.h"
#include "DataFolder.h"
#include "DbError.h"
#include "DefaultLayouts.h"
#include "FapiaoApplication.h"
#include "FontSubstitutions.h"
#include "FrameWindow.h"
#include "TForm1.h"
#include "Thintform.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
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

// The other windows, in the order the program creates them.
void createWindows(TForm1& main) {
    const QList<QPair<QString, QString>> frames = {
        {"TloginForm", "登录"},
        {"TForm2", "收款情况打印"},
        {"Tghdwform", "购货单位----导入Excel资料格式及资料页名称要求，请看帮助"},
        {"Txhdwform", "销货单位----导入Excel资料格式及资料页名称要求，请看帮助"},
        {"TsetfpForm", "发票打印设置"},
        {"Thintform", ""},
        {"TSpForm", "商品资料----导入Excel资料格式及资料页名称要求，请看帮助"},
        {"TjsForm", "价税计算"},
        {"TtsForm", "说明"},
        {"TepassForm", "增加用户、修改密码"},
        {"Tqd1Form", "清单"},
        {"Tqd2Form", "清单"},
        {"Tqd3Form", "清单"},
        {"Tqd4form", "清单"}};
    for (const auto& [name, caption] : frames) {
        if (name == u"TloginForm")
            continue; // admits everyone until the login window is built
        QDialog* w = name == u"Thintform" ? static_cast<QDialog*>(new Thintform(&main))
                                          : new FrameWindow(name.mid(1), caption, &main);
        main.setWindow(name, w);
    }
}

} // namespace

int main(int argc, char** argv) {
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
    main.showMaximized();
    return app.exec();
}
