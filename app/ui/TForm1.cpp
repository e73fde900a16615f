#include "TForm1.h"

#include "ChineseDate.h"
#include "DataGrid.h"
#include "Database.h"
#include "DbCheckBox.h"
#include "DbDatePicker.h"
#include "DbEdit.h"
#include "DbError.h"
#include "DbLookupComboBox.h"
#include "DbRichEdit.h"
#include "InvoiceEditor.h"
#include "InvoicePrintCommands.h"
#include "InvoicePrintSource.h"
#include "InvoiceRegister.h"
#include "PrintMenu.h"
#include "RowSet.h"
#include "SearchAsTyped.h"
#include "TsetfpForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString Info = QStringLiteral("信息");

QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

TForm1::TForm1(const QString& dataFolder, QWidget* parent)
    : QMainWindow(parent), dataFolder_(dataFolder) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("fapiao %1").arg(QApplication::applicationVersion()));
    QFont songti(QStringLiteral("宋体"));
    songti.setPixelSize(15);
    setFont(songti);
    FormCreate();
    createQueries();
    PageControl1_ = named(new QTabWidget(this), QStringLiteral("PageControl1"));
    PageControl1_->setUsesScrollButtons(false);
    buildToolbar();
    PageControl1_->addTab(buildEditorTab(), QStringLiteral("发票明细"));
    PageControl1_->addTab(buildRegisterTab(), QStringLiteral("发票浏览"));
    setCentralWidget(PageControl1_);
    buildStatusBar();
    buildToolsMenu();
    buildLineMenu();
    bindControls();
    connectInvoiceLogic();
    connectPrinting();
    connectWindowButtons();
    Timer1_ = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1_->setInterval(1000);
    connect(Timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
    qApp->installEventFilter(this);
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
    // The row sets go before the connection they run on.
    delete register_;
    delete editor_;
    qDeleteAll(findChildren<RowSet*>());
    cnn_.reset();
}

// Opens the connection. A failure is remembered and shown once when the window appears; the
// window then stays empty instead of asking again at every activation.
void TForm1::FormCreate() {
    try {
        cnn_ = std::make_unique<Database>(dataFolder_);
    } catch (const DbError& e) {
        connectionError_ = e.message();
    }
}

void TForm1::createQueries() {
    const QSqlDatabase db = cnn_ ? cnn_->connection() : QSqlDatabase();
    auto make = [&](const char* name, const QString& sql) {
        auto* rs = new RowSet(db, sql, this);
        rs->setObjectName(QString::fromLatin1(name));
        return rs;
    };
    titleqry_ = make("titleqry", QStringLiteral("select * from title order by cid desc"));
    titleqry_->setIncrementalFetch(300);
    detailqry_ = make("detailqry", QStringLiteral("select * from detail where cid=:cid"));
    detailqry_->setMaster(titleqry_, QStringLiteral("cid"), QStringLiteral("cid"),
                          QStringLiteral("cid"));
    ghqry_ = make("ghqry", QStringLiteral("select  * from 购货单位 order by 单位名称"));
    xhqry_ = make("xhqry", QStringLiteral("select  * from 销货单位 order by 单位名称"));
    spqry_ = make("spqry", QStringLiteral("select * from sp order by 编号"));
    userqry_ = make("userqry", QStringLiteral("select * from usertable"));
    fpdzqry_ = make("fpdzqry", QStringLiteral("select * from fpdz"));
    set1qry_ = make("set1qry", QStringLiteral("select * from fpset1"));
    set2qry_ = make("set2qry", QStringLiteral("select * from fpset2"));
    set3qry_ = make("set3qry", QStringLiteral("select * from fpset3"));
}

void TForm1::buildToolbar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 0, 4, 2);
    row->addWidget(new QLabel(QStringLiteral("查找:"), bar));
    lcEdit_ = named(new QLineEdit(bar), QStringLiteral("lcEdit"));
    lcEdit_->setMinimumWidth(120);
    row->addWidget(lcEdit_);
    const QList<QPair<QString, QString>> commands = {{"addbtn", "&A 增加"},
                                                     {"copybtn", "&C 复制"},
                                                     {"savebtn", "&S 保存"},
                                                     {"delbtn", "&D 删除"}};
    const QList<void (TForm1::*)()> actions = {&TForm1::addbtnClick, &TForm1::copybtnClick,
                                               &TForm1::savebtnClick, &TForm1::delbtnClick};
    for (int i = 0; i < commands.size(); ++i) {
        auto* b = named(new QPushButton(commands[i].second, bar), commands[i].first);
        connect(b, &QPushButton::clicked, this, actions[i]);
        row->addWidget(b);
    }
    prnbtn_ = named(new QPushButton(QStringLiteral("&P 打印"), bar), QStringLiteral("prnbtn"));
    row->addWidget(prnbtn_);
    auto* goods = named(new QPushButton(QStringLiteral("&M商品"), bar), QStringLiteral("BitBtn1"));
    row->addWidget(goods);
    auto* help =
        named(new QPushButton(QStringLiteral("&H 帮助"), bar), QStringLiteral("SpeedButton3"));
    connect(help, &QPushButton::clicked, this, &TForm1::SpeedButton3Click);
    row->addWidget(help);
    auto* exit = named(new QPushButton(QStringLiteral("&X 退出"), bar), QStringLiteral("exitbtn"));
    connect(exit, &QPushButton::clicked, this, &TForm1::exitbtnClick);
    row->addWidget(exit);
    PageControl1_->setCornerWidget(bar, Qt::TopRightCorner);
}

QWidget* TForm1::buildEditorTab() {
    TabSheet1_ = named(new QWidget(this), QStringLiteral("TabSheet1"));
    auto* layout = new QVBoxLayout(TabSheet1_);
    layout->setContentsMargins(4, 4, 4, 4);
    // The lines take whatever height the header and seller panels leave.
    // Built top to bottom, which is also the order Tab and Enter move in.
    QWidget* header = buildHeaderPanel();
    QWidget* lines = buildLinePanel();
    QWidget* seller = buildSellerPanel();
    header->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    seller->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    layout->addWidget(header);
    layout->addWidget(lines, 1);
    layout->addWidget(seller);
    return TabSheet1_;
}

QWidget* TForm1::buildHeaderPanel() {
    auto* panel = named(new QWidget(TabSheet1_), QStringLiteral("titlepan"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto edit = [&](const char* name, bool readOnly) {
        auto* e = named(new DbEdit(panel), QString::fromLatin1(name));
        e->setReadOnly(readOnly);
        edits_.insert(e->objectName(), e);
        return e;
    };
    grid->addWidget(label(QStringLiteral("检验码："), panel), 0, 0);
    grid->addWidget(edit("jym", true), 0, 1);
    grid->addWidget(label(QStringLiteral("发票号："), panel), 0, 2);
    grid->addWidget(edit("fpno1", true), 0, 3);
    grid->addWidget(label(QStringLiteral("开票日期："), panel), 0, 4);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(edit("kpdate", false));
    kp_ = named(new DbDatePicker(panel), QStringLiteral("kp"));
    kp_->setButtonOnly();
    dateRow->addWidget(kp_);
    grid->addLayout(dateRow, 0, 5);
    chk_ = named(new DbCheckBox(QStringLiteral("收款"), panel), QStringLiteral("chk"));
    chk_->setStyleSheet(QStringLiteral("color: red"));
    grid->addWidget(chk_, 0, 6);

    const QList<QPair<QString, const char*>> buyer = {{"名     称：", "ghmc"},
                                                      {"纳税人识别号：", "ghsbh"},
                                                      {"地址、电话：", "ghdzdh"},
                                                      {"开户行及帐号：", "ghyxzh"}};
    for (int i = 0; i < buyer.size(); ++i) {
        grid->addWidget(label(buyer[i].first, panel), i + 1, 0);
        grid->addWidget(edit(buyer[i].second, true), i + 1, 1, 1, i == 0 ? 1 : 3);
    }
    DBLookupComboBox1_ = named(new DbLookupComboBox(panel), QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1_->setDropDownWidth(350);
    grid->addWidget(DBLookupComboBox1_, 1, 2);
    grid->addWidget(
        named(new QPushButton(QStringLiteral("购货单位"), panel), QStringLiteral("SpeedButton1")),
        1, 3);
    grid->addWidget(buildCipherPanel(), 1, 4, 4, 3);

    hsdj_ = named(new DbCheckBox(QStringLiteral("含税单价"), panel), QStringLiteral("hsdj"));
    hsdj_->setStyleSheet(QStringLiteral("color: purple"));
    auto* note =
        new QLabel(QStringLiteral("(如选择了含税单价，则选择商品时自动带进含税单价)"), panel);
    note->setStyleSheet(QStringLiteral("color: blue"));
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(hsdj_);
    priceRow->addWidget(note);
    auto* calc =
        named(new QPushButton(QStringLiteral("价税计算"), panel), QStringLiteral("SpeedButton4"));
    calc->setVisible(false);
    priceRow->addWidget(calc);
    priceRow->addStretch();
    grid->addLayout(priceRow, 5, 0, 1, 7);
    auto* cid = edit("cid", true);
    cid->setVisible(false);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(5, 2);
    return panel;
}

QWidget* TForm1::buildCipherPanel() {
    auto* box = new QWidget(TabSheet1_);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    auto* mmxzBox = named(new QGroupBox(QStringLiteral("密码"), box), QStringLiteral("mmxz"));
    auto* mmxzRow = new QHBoxLayout(mmxzBox);
    mmxz_ = new QButtonGroup(mmxzBox);
    const QStringList items = {QStringLiteral("84位"), QStringLiteral("108位")};
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], mmxzBox);
        mmxz_->addButton(radio, i);
        mmxzRow->addWidget(radio);
    }
    connect(mmxz_, &QButtonGroup::idClicked, this, &TForm1::mmxzClick);
    grid->addWidget(mmxzBox, 0, 0, 8, 1);
    for (int i = 1; i <= 8; ++i) {
        const QString text = i == 8 ? QStringLiteral("机打\n代码") : QString::number(i);
        grid->addWidget(new QLabel(text, box), i - 1, 1);
        auto* e = named(new DbEdit(box), QStringLiteral("mm%1").arg(i));
        e->setReadOnly(true);
        QFont mono(QStringLiteral("Courier New"));
        mono.setPixelSize(13);
        e->setFont(mono);
        edits_.insert(e->objectName(), e);
        grid->addWidget(e, i - 1, 2);
    }
    return box;
}

QWidget* TForm1::buildLinePanel() {
    auto* panel = new QWidget(TabSheet1_);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    hgrid_ = named(new DataGrid(panel), QStringLiteral("hgrid"));
    hgrid_->setToolTip(QStringLiteral("右键 增加"));
    hgrid_->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(hgrid_, 1);
    auto* totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("价税合计(大写)："), panel));
    auto* jedx = named(new DbEdit(panel), QStringLiteral("jedx"));
    auto* xxje = named(new DbEdit(panel), QStringLiteral("xxje"));
    for (DbEdit* e : {jedx, xxje}) {
        e->setReadOnly(true);
        edits_.insert(e->objectName(), e);
    }
    totals->addWidget(jedx, 3);
    totals->addWidget(new QLabel(QStringLiteral("小写："), panel));
    totals->addWidget(xxje, 1);
    layout->addLayout(totals);
    return panel;
}

QWidget* TForm1::buildSellerPanel() {
    auto* panel = named(new QWidget(TabSheet1_), QStringLiteral("Panel3"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto edit = [&](const char* name) {
        auto* e = named(new DbEdit(panel), QString::fromLatin1(name));
        edits_.insert(e->objectName(), e);
        return e;
    };
    grid->addWidget(label(QStringLiteral("名     称："), panel), 0, 0);
    xhmc_ = named(new DbRichEdit(panel), QStringLiteral("xhmc"));
    grid->addWidget(xhmc_, 0, 1);
    DBLookupComboBox2_ = named(new DbLookupComboBox(panel), QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2_->setDropDownWidth(390);
    grid->addWidget(DBLookupComboBox2_, 0, 2);
    grid->addWidget(
        named(new QPushButton(QStringLiteral("销货单位"), panel), QStringLiteral("SpeedButton2")),
        0, 3);
    const QList<QPair<QString, const char*>> seller = {
        {"纳税人识别号：", "xhsbh"}, {"地址、电话：", "xhdzdh"}, {"开户行及帐号：", "xhyxzh"}};
    for (int i = 0; i < seller.size(); ++i) {
        grid->addWidget(label(seller[i].first, panel), i + 1, 0);
        grid->addWidget(edit(seller[i].second), i + 1, 1, 1, 3);
    }
    for (int i = 1; i <= 4; ++i) {
        grid->addWidget(label(i == 1 ? QStringLiteral("备注：") : QString(), panel), i - 1, 4);
        grid->addWidget(edit(QStringLiteral("bz%1").arg(i).toLatin1().constData()), i - 1, 5, 1, 3);
    }
    grid->addWidget(label(QStringLiteral("收 款 人："), panel), 4, 0);
    skr_ = named(new DbRichEdit(panel), QStringLiteral("skr"));
    grid->addWidget(skr_, 4, 1);
    grid->addWidget(label(QStringLiteral("复核："), panel), 4, 2);
    grid->addWidget(edit("fh"), 4, 3);
    grid->addWidget(label(QStringLiteral("开票人："), panel), 4, 4);
    grid->addWidget(edit("kpr"), 4, 5);
    grid->addWidget(label(QStringLiteral("导入背景图片："), panel), 5, 0);
    grid->addWidget(edit("fpdz"), 5, 1, 1, 2);
    grid->addWidget(
        named(new QPushButton(QStringLiteral("..."), panel), QStringLiteral("prnsetbtn")), 5, 3);
    dygs_ =
        named(new DbCheckBox(QStringLiteral("是否打印背景图片"), panel), QStringLiteral("dygs"));
    grid->addWidget(dygs_, 5, 4, 1, 2);
    const QList<QPair<QString, const char*>> extra = {{"专用发票代码：", "DBEdit1"},
                                                      {"代开企业税号：", "DBEdit2"},
                                                      {"代开企业名称：", "DBEdit3"}};
    for (int i = 0; i < extra.size(); ++i) {
        grid->addWidget(label(extra[i].first, panel), 6, i * 2);
        grid->addWidget(edit(extra[i].second), 6, i * 2 + 1);
    }
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(5, 2);
    return panel;
}

namespace {

GridColumn column(const QString& field, int width, const QString& title = {}) {
    GridColumn c;
    c.field = field;
    c.width = width;
    c.title = title;
    return c;
}

GridColumn sumColumn(const QString& field, int width, const QString& title = {}) {
    GridColumn c = column(field, width, title);
    c.footer = GridColumn::Footer::Sum;
    return c;
}

GridColumn totalLabelColumn(const QString& field, int width, const QString& title = {}) {
    GridColumn c = column(field, width, title);
    c.footer = GridColumn::Footer::Text;
    c.footerText = QStringLiteral("合  计：");
    c.footerColor = Qt::red;
    c.footerAlignment = Qt::AlignRight;
    return c;
}

// Header edits and the columns they show.
const QList<QPair<QString, QString>>& titleBindings() {
    static const QList<QPair<QString, QString>> bindings = {{"jym", "检验码"},
                                                            {"ghmc", "购货单位名称"},
                                                            {"ghsbh", "购货纳税人识别号"},
                                                            {"ghdzdh", "购货单位地址"},
                                                            {"ghyxzh", "购货单位银行"},
                                                            {"mm1", "密码1"},
                                                            {"mm2", "密码2"},
                                                            {"mm3", "密码3"},
                                                            {"mm4", "密码4"},
                                                            {"mm5", "密码5"},
                                                            {"mm6", "密码6"},
                                                            {"mm7", "密码7"},
                                                            {"mm8", "密码8"},
                                                            {"fpno1", "发票号码"},
                                                            {"kpdate", "中文日期"},
                                                            {"cid", "cid"},
                                                            {"jedx", "大写金额"},
                                                            {"xxje", "小写金额"},
                                                            {"xhsbh", "销货纳税人识别号"},
                                                            {"xhdzdh", "销货单位地址"},
                                                            {"xhyxzh", "销货单位银行"},
                                                            {"bz1", "备注1"},
                                                            {"bz2", "备注2"},
                                                            {"bz3", "备注3"},
                                                            {"bz4", "备注4"},
                                                            {"fh", "复核"},
                                                            {"kpr", "开票人"},
                                                            {"DBEdit1", "oth1"},
                                                            {"DBEdit2", "oth2"},
                                                            {"DBEdit3", "oth3"}};
    return bindings;
}

QVector<GridColumn> registerColumns() {
    QVector<GridColumn> c = {column("位数", 50),
                             column("发票号码", 100),
                             column("开票日期", 100),
                             column("是否收款", 50),
                             column("小写金额", 100),
                             column("购货单位名称", 100),
                             column("购货单位银行", 112, "购货单位银行、帐号"),
                             column("购货纳税人识别号", 100),
                             column("购货单位地址", 100, "购货单位地址、电话"),
                             column("销货单位名称", 100),
                             column("销货单位银行", 100, "销货单位银行、帐号"),
                             column("销货纳税人识别号", 100),
                             column("销货单位地址", 100, "销货单位地址、电话"),
                             column("收款人", 100),
                             column("大写金额", 100),
                             column("复核", 100),
                             column("开票人", 100),
                             column("备注", 100)};
    c[4].visible = false;
    c[14].visible = false;
    return c;
}

QVector<GridColumn> registerLineColumns() {
    return {totalLabelColumn("货物应税名称", 300),
            column("规格型号", 109),
            column("单位", 50),
            sumColumn("数量", 92),
            column("单价", 114),
            sumColumn("金额", 106),
            column("税率", 50),
            sumColumn("税额", 110)};
}

QVector<GridColumn> editorLineColumns() {
    QVector<GridColumn> c = {
        totalLabelColumn("货物应税名称", 300, "货物或应税劳务名称 (右键进行添加删除)"),
        column("规格型号", 90),
        column("单位", 50),
        sumColumn("数量", 70),
        column("其它4", 100, "含税单价"),
        column("单价", 100),
        sumColumn("金额", 100),
        column("税率", 60, "税率(%)"),
        sumColumn("税额", 100)};
    c[0].ellipsis = true;
    c[4].visible = false;
    return c;
}

} // namespace

QWidget* TForm1::buildRegisterTab() {
    TabSheet2_ = named(new QWidget(this), QStringLiteral("TabSheet2"));
    auto* layout = new QVBoxLayout(TabSheet2_);
    layout->setContentsMargins(4, 4, 4, 4);
    DBGridEh2_ = named(new DataGrid(TabSheet2_), QStringLiteral("DBGridEh2"));
    DBGridEh2_->setToolTip(QStringLiteral("按 每栏标题 可以排序"));
    DBGridEh2_->setReadOnly(true);
    DBGridEh2_->setRowsEditable(false);
    DBGridEh3_ = named(new DataGrid(TabSheet2_), QStringLiteral("DBGridEh3"));
    DBGridEh3_->setReadOnly(true);
    DBGridEh3_->setRowsEditable(false);
    DBGridEh3_->setFooterVisible(true);
    layout->addWidget(DBGridEh2_, 3);
    layout->addWidget(DBGridEh3_, 2);
    connect(DBGridEh2_, &DataGrid::doubleClicked, this, &TForm1::DBGridEh2DblClick);
    for (auto signal : {&DataGrid::cellClicked, &DataGrid::columnExited, &DataGrid::mousePressed})
        connect(DBGridEh2_, signal, this, &TForm1::reloadLines);
    return TabSheet2_;
}

void TForm1::buildStatusBar() {
    pgb_ = named(new QProgressBar(this), QStringLiteral("pgb"));
    pgb_->setVisible(false);
    pgb_->setMaximumWidth(300);
    statusBar()->addWidget(pgb_);
    folderLabel_ = new QLabel(
        QStringLiteral("数据文件夹：%1").arg(QDir::toNativeSeparators(dataFolder_)), this);
    statusBar()->addPermanentWidget(folderLabel_);
}

void TForm1::buildToolsMenu() {
    PopupMenu3_ = named(new QMenu(this), QStringLiteral("PopupMenu3"));
    auto add = [&](const char* name, const QString& caption, void (TForm1::*handler)()) {
        QAction* a = PopupMenu3_->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    add("N12", QStringLiteral("帮助"), &TForm1::N12Click);
    add("N13", QStringLiteral("用户管理"), &TForm1::N13Click);
    add("N15", QStringLiteral("计算器"), &TForm1::N15Click);
    add("N14", QStringLiteral("关于"), &TForm1::N14Click);
}

void TForm1::bindControls() {
    // mm7 is bound before fpno1 so that line 7 first shows its own value and then the number.
    for (const auto& [control, field] : titleBindings())
        edits_.value(control)->bind(titleqry_, field);
    edits_.value("fpdz")->bind(fpdzqry_, QStringLiteral("fpdz"));
    xhmc_->bind(titleqry_, QStringLiteral("销货单位名称"));
    skr_->bind(titleqry_, QStringLiteral("收款人"));
    chk_->bind(titleqry_, QStringLiteral("是否收款"));
    hsdj_->bind(titleqry_, QStringLiteral("含税单价"));
    dygs_->bind(titleqry_, QStringLiteral("是否打印格式"));
    DBLookupComboBox1_->setListSource(ghqry_, QStringLiteral("单位名称"));
    DBLookupComboBox2_->setListSource(xhqry_, QStringLiteral("单位名称"));
    hgrid_->setRowSet(detailqry_, editorLineColumns());
    hgrid_->setFooterVisible(true);
    DBGridEh2_->setRowSet(titleqry_, registerColumns());
    DBGridEh3_->setRowSet(detailqry_, registerLineColumns());

    connect(edits_.value("fpno1"), &DbEdit::valueShown, this, &TForm1::fpno1Change);
    connect(titleqry_, &RowSet::dataChanged, this, [this] { titledstDataChange(); });
    connect(titleqry_, &RowSet::dataChanged, this, [this](const QString& c) {
        if (c.isEmpty() || c == u"位数")
            showMmxz();
    });
    connect(hgrid_, &DataGrid::entered, this, &TForm1::hgridEnter);
    connect(hsdj_, &DbCheckBox::stateShown, this, &TForm1::hsdjClick);
    connect(kp_, &DbDatePicker::entered, this, &TForm1::kpEnter);
    connect(kp_, &DbDatePicker::picked, this, &TForm1::kpChange);
}

void TForm1::setWindow(const QString& className, QDialog* window) {
    windows_.insert(className, window);
}

QDialog* TForm1::window(const QString& className) const {
    return windows_.value(className);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // After the window is on screen, so the login appears over it.
    QMetaObject::invokeMethod(this, &TForm1::FormShow, Qt::QueuedConnection);
}

void TForm1::FormShow() {
    if (!connectionError_.isEmpty())
        QMessageBox::critical(this, Info, connectionError_);
    if (QDialog* login = window(QStringLiteral("TloginForm"))) {
        if (login->exec() != QDialog::Accepted) {
            close();
            return;
        }
    }
    loggedIn_ = true;
    Timer1_->start();
    hgrid_->setColumnVisible(QStringLiteral("其它4"), hsdj_->isChecked());
    // The window becomes active as the login closes; its data loads then, whether or not the
    // desktop reports the activation.
    FormActivate();
}

bool TForm1::event(QEvent* event) {
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && loggedIn_)
        FormActivate();
    return result;
}

// Opens what is not open yet: only the first activation loads data. Without a connection
// there is nothing to open (the failure was shown once at start).
void TForm1::FormActivate() {
    if (!cnn_)
        return;
    titleqry_->open();
    detailqry_->open();
    kp_->setDateQuietly(QDate::currentDate());
    ghqry_->open();
    xhqry_->open();
    fpdzqry_->open();
    spqry_->open();
}

bool TForm1::askToSavePending() {
    const bool pending = (titleqry_->isOpen() && titleqry_->isEditing()) ||
                         (detailqry_->isOpen() && detailqry_->isEditing());
    if (!pending)
        return true;
    const auto answer =
        QMessageBox::question(this, Info, QStringLiteral("您修改了这笔记录,要保存吗?"),
                              QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return true;
    // Saving the header re-reads it, which would reload (and so drop) the line being edited.
    savingOnClose_ = true;
    try {
        titleqry_->saveAll();
        detailqry_->saveAll();
        savingOnClose_ = false;
    } catch (const DbError& e) {
        savingOnClose_ = false;
        // Closing now would lose the invoice: keep the window open so the user can act.
        QMessageBox::critical(this, Info, e.message());
        return false;
    }
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (loggedIn_ && !askToSavePending()) {
        event->ignore();
        return;
    }
    Timer1_->stop();
    for (const auto& w : std::as_const(windows_))
        if (w)
            w->close();
    event->accept();
}

void TForm1::exitbtnClick() {
    close();
}

void TForm1::Timer1Timer() {
    const bool hasUser = userqry_->isOpen() && userqry_->currentRow() >= 0;
    const auto step =
        notesPrompt_.tick(hasUser ? userqry_->value(QStringLiteral("提示")) : QVariant());
    if (step == NotesPrompt::Step::KeepTicking)
        return;
    Timer1_->stop();
    if (step == NotesPrompt::Step::StopAndShowNotes)
        showWindow(QStringLiteral("TtsForm"));
}

// Enter moves on: in a grid to the next column (wrapping, same row) and the key still reaches
// the grid; elsewhere to the next control in tab order, and the key is swallowed.
bool TForm1::FormKeyPress(QObject* target, int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget || widget->window() != this)
        return false;
    for (DataGrid* grid : {hgrid_, DBGridEh2_, DBGridEh3_}) {
        if (grid->isAncestorOf(widget)) {
            const int next = grid->selectedColumn() + 1;
            grid->setSelectedColumn(next < grid->visibleColumnCount() ? next : 0);
            return false;
        }
    }
    focusNextChild();
    return true;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget())
        return FormKeyPress(watched, static_cast<QKeyEvent*>(event)->key());
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::SpeedButton3Click() {
    PopupMenu3_->popup(QCursor::pos());
}

void TForm1::N12Click() {
    const QString help =
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("help.html"));
    if (QFileInfo::exists(help))
        QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

void TForm1::N13Click() {
    showWindow(QStringLiteral("TepassForm"));
}

void TForm1::N14Click() {
    showWindow(QStringLiteral("TtsForm"));
}

// Any desktop calculator that is installed; nothing is said when there is none.
void TForm1::N15Click() {
    for (const char* program :
         {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "mate-calc", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
}

void TForm1::titledstDataChange() {
    hgrid_->setReadOnly(chk_->isChecked());
    if (!savingOnClose_)
        reloadLines();
}

void TForm1::reloadLines() {
    if (detailqry_->isOpen())
        detailqry_->reload();
}

void TForm1::fpno1Change() {
    edits_.value("mm7")->setText(edits_.value("fpno1")->text());
}

void TForm1::hgridEnter() {
    if (titleqry_->isOpen())
        titleqry_->saveAll();
    reloadLines();
}

void TForm1::DBGridEh2DblClick() {
    PageControl1_->setCurrentWidget(TabSheet1_);
}

void TForm1::kpChange(const QDate& date) {
    if (!titleqry_->isOpen() || titleqry_->currentRow() < 0)
        return;
    titleqry_->setValue(QStringLiteral("中文日期"), ChineseDate(date));
    titleqry_->setValue(QStringLiteral("开票日期"), date);
}

void TForm1::kpEnter() {
    if (titleqry_->isOpen() && titleqry_->currentRow() >= 0 && !titleqry_->isEditing())
        titleqry_->edit();
}

void TForm1::hsdjClick() {
    hgrid_->setColumnVisible(QStringLiteral("其它4"), hsdj_->isChecked());
}

void TForm1::mmxzClick() {
    if (!titleqry_->isOpen() || titleqry_->currentRow() < 0)
        return;
    titleqry_->edit();
    titleqry_->setValue(QStringLiteral("位数"),
                        mmxz_->checkedId() == 1 ? QStringLiteral("108位") : QStringLiteral("84位"));
}

// Shows the cipher length of the invoice that became current (none when it has none).
void TForm1::showMmxz() {
    const QString value = titleqry_->isOpen() && titleqry_->currentRow() >= 0
                              ? titleqry_->value(QStringLiteral("位数")).toString()
                              : QString();
    const int id = value == u"108位" ? 1 : value == u"84位" ? 0 : -1;
    mmxz_->setExclusive(false);
    for (QAbstractButton* b : mmxz_->buttons())
        b->setChecked(mmxz_->id(b) == id);
    mmxz_->setExclusive(true);
}

void TForm1::buildLineMenu() {
    PopupMenu1_ = named(new QMenu(this), QStringLiteral("PopupMenu1"));
    const QList<QPair<const char*, QString>> items = {{"N1", QStringLiteral("增加")},
                                                      {"N2", QStringLiteral("删除")},
                                                      {"N7", QStringLiteral("修改")}};
    for (const auto& [name, caption] : items)
        PopupMenu1_->addAction(caption)->setObjectName(QString::fromLatin1(name));
    connect(hgrid_->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1_->popup(hgrid_->view()->mapToGlobal(pos)); });
}

void TForm1::connectInvoiceLogic() {
    const QSqlDatabase db = cnn_ ? cnn_->connection() : QSqlDatabase();
    register_ = new InvoiceRegister(db, titleqry_, detailqry_, this);
    editor_ = new InvoiceEditor(titleqry_, detailqry_, this);
    connect(editor_, &InvoiceEditor::totalsChanged, this,
            [this](const QString& capitals, const QString& figures) {
                edits_.value("jedx")->setText(capitals);
                edits_.value("xxje")->setText(figures);
            });
    // Keystrokes that queue up behind a long search are taken in one search for the latest text.
    auto* search = new SearchAsTyped(register_, this);
    connect(lcEdit_, &QLineEdit::textChanged, search, &SearchAsTyped::textChanged);
    connect(DBGridEh2_, &DataGrid::titleClicked, this, &TForm1::DBGridEh2TitleBtnClick);
    const QList<QPair<const char*, void (InvoiceRegister::*)()>> lineCommands = {
        {"N1", &InvoiceRegister::N1Click},
        {"N2", &InvoiceRegister::N2Click},
        {"N7", &InvoiceRegister::N7Click}};
    for (const auto& [name, command] : lineCommands)
        connect(PopupMenu1_->findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered,
                register_, command);
}

void TForm1::DBGridEh2TitleBtnClick(const QString& column) {
    if (!register_->DBGridEh2TitleBtnClick(column))
        return;
    const TitleSort::Marker marker = register_->sortMarker(column);
    DBGridEh2_->setSortMarker(column, marker == TitleSort::Marker::Down
                                          ? std::optional(Qt::AscendingOrder)
                                          : std::optional(Qt::DescendingOrder));
}

QString TForm1::askInvoiceNumber(const QString& title) {
    bool ok = false;
    const QString number = QInputDialog::getText(this, title, QStringLiteral("发票号码："),
                                                 QLineEdit::Normal, QString(), &ok)
                               .trimmed();
    return ok ? number : QString();
}

void TForm1::addbtnClick() {
    const QString number = askInvoiceNumber(QStringLiteral("增加发票"));
    if (!number.isEmpty())
        register_->addInvoice(number);
}

void TForm1::copybtnClick() {
    const QString number = askInvoiceNumber(QStringLiteral("复制发票"));
    if (!number.isEmpty())
        register_->copyInvoice(number);
}

void TForm1::savebtnClick() {
    register_->saveInvoice();
}

void TForm1::delbtnClick() {
    if (!titleqry_->isOpen() || titleqry_->currentRow() < 0)
        return;
    if (QMessageBox::question(this, Info, QStringLiteral("您是否真的要删除这张发票及其全部明细吗?"),
                              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        register_->deleteInvoice();
}

// Buttons that open the other windows modally (buyers, sellers, goods, calculator).
void TForm1::connectWindowButtons() {
    const QList<QPair<const char*, QString>> buttons = {{"SpeedButton1", "Tghdwform"},
                                                        {"SpeedButton2", "Txhdwform"},
                                                        {"BitBtn1", "TSpForm"},
                                                        {"SpeedButton4", "TjsForm"}};
    for (const auto& [button, windowName] : buttons)
        connect(findChild<QPushButton*>(QString::fromLatin1(button)), &QPushButton::clicked, this,
                [this, name = windowName] { showWindow(name); });
    connect(hgrid_, &DataGrid::ellipsisClicked, this,
            [this] { showWindow(QStringLiteral("TSpForm")); });
}

void TForm1::showWindow(const QString& className) {
    if (QDialog* w = window(className))
        w->exec();
}

void TForm1::connectPrinting() {
    const QSqlDatabase db = cnn_ ? cnn_->connection() : QSqlDatabase();
    printCommands_ = new InvoicePrintCommands(
        this, dataFolder_, [this] { return currentPrintInput(); }, staging_, db);
    PopupMenu2_ =
        PrintMenu::build(this, *printCommands_, [this] { showWindow(QStringLiteral("TForm2")); });
    auto* setfp = new TsetfpForm(staging_, this);
    setfp->setObjectName(QStringLiteral("setfpForm"));
    setWindow(QStringLiteral("TsetfpForm"), setfp);
    connect(printCommands_, &InvoicePrintCommands::stagingChanged, setfp, &TsetfpForm::refresh);
    connect(prnbtn_, &QPushButton::clicked, this, &TForm1::prnbtnClick);
    prnbtn_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(prnbtn_, &QWidget::customContextMenuRequested, this, &TForm1::prnbtnClick);
    auto* picture = findChild<QPushButton*>(QStringLiteral("prnsetbtn"));
    connect(picture, &QPushButton::clicked, this, &TForm1::prnsetbtnClick);
    // A path typed into the box is kept in the database, like one chosen in the dialog.
    connect(edits_.value("fpdz"), &QLineEdit::editingFinished, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (fpdzqry_->isOpen() && fpdzqry_->isEditing())
                    fpdzqry_->post();
            },
            Qt::QueuedConnection);
    });
}

void TForm1::prnbtnClick() {
    PopupMenu2_->popup(QCursor::pos());
}

void TForm1::prnsetbtnClick() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("选择背景图片"), QString(),
        QStringLiteral("图片 (*.bmp *.jpg *.jpeg *.ico *.png);;所有文件 (*)"));
    if (file.isEmpty() || !fpdzqry_->isOpen())
        return;
    if (fpdzqry_->isEmpty())
        fpdzqry_->append();
    fpdzqry_->setValue(QStringLiteral("fpdz"), QDir::toNativeSeparators(file));
    fpdzqry_->post();
}

InvoicePrintInput TForm1::currentPrintInput() {
    if (!titleqry_->isOpen() || titleqry_->currentRow() < 0)
        throw DbError(QStringLiteral("没有选中的发票，无法打印。"));
    QHash<QString, QString> shown;
    for (const auto& [control, field] : titleBindings())
        shown.insert(field, edits_.value(control)->text());
    shown.insert(QStringLiteral("销货单位名称"), xhmc_->plainText());
    shown.insert(QStringLiteral("收款人"), skr_->plainText());
    InvoicePrintInput input;
    input.header = PrintHeader::fromColumns(shown);
    input.lines = InvoicePrintSource::readLines(*detailqry_);
    input.totals = PrintTotals::sumOf(input.lines);
    input.backgroundPicturePath = edits_.value("fpdz")->text();
    input.printBackground = dygs_->isChecked();
    return input;
}
