#include "PrintMenu.h"

#include "InvoicePrintCommands.h"
#include "Tqd1Form.h"
#include "Tqd2Form.h"
#include "Tqd3Form.h"
#include "Tqd4form.h"

#include <QMenu>

namespace {

QAction* addEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void addDivider(QMenu* menu, const char* name) {
    addEntry(menu, name, PrintMenu::dividerCaption());
}

void addLayout(QMenu* menu, InvoicePrintCommands& commands, PrintLayout::Id layout,
               const char* printName, const QString& printCaption, const char* adjustName,
               const QString& adjustCaption) {
    QObject::connect(addEntry(menu, printName, printCaption), &QAction::triggered, &commands,
                     [&commands, layout] { commands.print(layout); });
    QObject::connect(addEntry(menu, adjustName, adjustCaption), &QAction::triggered, &commands,
                     [&commands, layout] { commands.adjust(layout); });
}

template <class Window>
void addSample(QMenu* menu, QWidget* parent, const char* name, const QString& caption) {
    QObject::connect(addEntry(menu, name, caption), &QAction::triggered, menu, [parent] {
        Window window(parent);
        window.exec();
    });
}

} // namespace

QMenu* PrintMenu::build(QWidget* parent, InvoicePrintCommands& commands,
                        std::function<void()> openCollectionReport) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("PopupMenu2"));
    addLayout(menu, commands, PrintLayout::Overlay108, "N9", QStringLiteral("1. 发票套打 (108)"),
              "N8", QStringLiteral("2. 发票套打 (108) 位置、字体、大小调整"));
    addDivider(menu, "N19");
    addLayout(menu, commands, PrintLayout::A4_108, "A41", QStringLiteral("3. A4打印 (108)"), "A42",
              QStringLiteral("4. A4打印 (108) 位置、字体、大小调整"));
    addDivider(menu, "N17");
    addLayout(menu, commands, PrintLayout::Overlay84, "N5108S1", QStringLiteral("5. 发票套打 (84)"),
              "N2108T1", QStringLiteral("6. 发票套打 (84) 位置、字体、大小调整 "));
    addDivider(menu, "N20");
    addLayout(menu, commands, PrintLayout::A4_84, "N7A4108U1", QStringLiteral("7. A4打印 (84)"),
              "N8A4108A4V1", QStringLiteral("8. A4打印 (84) 位置、字体、大小调整 "));
    addDivider(menu, "N18");
    addSample<Tqd1Form>(menu, parent, "N16",
                        QStringLiteral("9.   销售货物或者提供应税劳务清单(24cmX28cm 有孔)"));
    addSample<Tqd2Form>(menu, parent, "A43",
                        QStringLiteral("10. 销售货物或者提供应税劳务清单(A4)"));
    addSample<Tqd3Form>(menu, parent, "N10",
                        QStringLiteral("11. 增值税应税货物或劳务销货清单打印(A4)"));
    addSample<Tqd4form>(menu, parent, "N11",
                        QStringLiteral("12. 增值税专用发票销货清单打印(套打)"));
    QObject::connect(addEntry(menu, "N4", QStringLiteral("13.  收款情况打印")), &QAction::triggered,
                     menu, [open = std::move(openCollectionReport)] {
                         if (open)
                             open();
                     });
    return menu;
}
