#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "InvoicePrintInput.h"
#include "NotesPrompt.h"
#include "PrintStaging.h"

class Database;
class InvoiceEditor;
class InvoiceRegister;
class InvoicePrintCommands;
class RowSet;
class DataGrid;
class DbEdit;
class DbRichEdit;
class DbCheckBox;
class DbLookupComboBox;
class DbDatePicker;
class QDialog;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QButtonGroup;
class QTabWidget;
class QTimer;
class QLabel;

// The main window: invoice editor and register, owner of the database connection, of every
// shared row set and of the other windows, which it shows modally.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Opens the database in `dataFolder` (FormCreate). A failure is shown and the window still
    // opens, empty.
    explicit TForm1(const QString& dataFolder, QWidget* parent = nullptr);
    ~TForm1() override;

    // The other windows, registered by the program entry under their class names.
    void setWindow(const QString& className, QDialog* window);
    QDialog* window(const QString& className) const;

    QString dataFolder() const { return dataFolder_; }
    Database* cnn() const { return cnn_.get(); }
    RowSet* titleqry() const { return titleqry_; }
    RowSet* detailqry() const { return detailqry_; }
    RowSet* ghqry() const { return ghqry_; }
    RowSet* xhqry() const { return xhqry_; }
    RowSet* spqry() const { return spqry_; }
    RowSet* userqry() const { return userqry_; }
    RowSet* fpdzqry() const { return fpdzqry_; }
    DataGrid* hgrid() const { return hgrid_; }
    DataGrid* DBGridEh2() const { return DBGridEh2_; }
    DataGrid* DBGridEh3() const { return DBGridEh3_; }
    QString connectionError() const { return connectionError_; }
    InvoiceRegister* invoiceRegister() const { return register_; }
    InvoiceEditor* invoiceEditor() const { return editor_; }

    // Handlers of the window.
    void FormShow();
    void FormActivate();
    void exitbtnClick();
    void Timer1Timer();
    bool FormKeyPress(QObject* target, int key);
    void SpeedButton3Click();
    void titledstDataChange();
    void fpno1Change();
    void hgridEnter();
    void DBGridEh2DblClick();
    void reloadLines();
    void kpEnter();
    void kpChange(const QDate& date);
    void hsdjClick();
    void DBGridEh2TitleBtnClick(const QString& column);
    void addbtnClick();
    void copybtnClick();
    void savebtnClick();
    void delbtnClick();
    void mmxzClick();
    void N12Click();
    void N13Click();
    void N14Click();
    void N15Click();
    void prnbtnClick();
    void prnsetbtnClick();
    // The current invoice as the editor shows it, for printing. Walks the lines (posting a line
    // being edited), so the last line is current afterwards.
    InvoicePrintInput currentPrintInput();
    InvoicePrintCommands* printCommands() const { return printCommands_; }
    QMenu* PopupMenu2() const { return PopupMenu2_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void createQueries();
    void buildToolbar();
    QWidget* buildEditorTab();
    QWidget* buildHeaderPanel();
    QWidget* buildCipherPanel();
    QWidget* buildLinePanel();
    QWidget* buildSellerPanel();
    QWidget* buildRegisterTab();
    void buildStatusBar();
    void buildToolsMenu();
    void buildLineMenu();
    void connectInvoiceLogic();
    void connectPrinting();
    void connectWindowButtons();
    void showWindow(const QString& className);
    QString askInvoiceNumber(const QString& title);
    void bindControls();
    void showMmxz();
    bool askToSavePending();

    QString dataFolder_;
    QString connectionError_;
    std::unique_ptr<Database> cnn_;
    RowSet* titleqry_ = nullptr;
    RowSet* detailqry_ = nullptr;
    RowSet* ghqry_ = nullptr;
    RowSet* xhqry_ = nullptr;
    RowSet* spqry_ = nullptr;
    RowSet* userqry_ = nullptr;
    RowSet* fpdzqry_ = nullptr;
    RowSet* set1qry_ = nullptr;
    RowSet* set2qry_ = nullptr;
    RowSet* set3qry_ = nullptr;
    InvoiceRegister* register_ = nullptr;
    InvoiceEditor* editor_ = nullptr;

    QHash<QString, QPointer<QDialog>> windows_;
    QTabWidget* PageControl1_ = nullptr;
    QWidget* TabSheet1_ = nullptr;
    QWidget* TabSheet2_ = nullptr;
    QLineEdit* lcEdit_ = nullptr;
    QPushButton* prnbtn_ = nullptr;
    DataGrid* hgrid_ = nullptr;
    DataGrid* DBGridEh2_ = nullptr;
    DataGrid* DBGridEh3_ = nullptr;
    QHash<QString, DbEdit*> edits_;
    DbRichEdit* xhmc_ = nullptr;
    DbRichEdit* skr_ = nullptr;
    DbCheckBox* chk_ = nullptr;
    DbCheckBox* hsdj_ = nullptr;
    DbCheckBox* dygs_ = nullptr;
    DbDatePicker* kp_ = nullptr;
    DbLookupComboBox* DBLookupComboBox1_ = nullptr;
    DbLookupComboBox* DBLookupComboBox2_ = nullptr;
    QButtonGroup* mmxz_ = nullptr;
    QMenu* PopupMenu1_ = nullptr;
    QMenu* PopupMenu3_ = nullptr;
    QProgressBar* pgb_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QTimer* Timer1_ = nullptr;
    NotesPrompt notesPrompt_;
    PrintStaging staging_;
    InvoicePrintCommands* printCommands_ = nullptr;
    QMenu* PopupMenu2_ = nullptr;
    bool shown_ = false;
    bool loggedIn_ = false;
    bool savingOnClose_ = false;
};
