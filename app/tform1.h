// Form1: the one window of the program. Every control is a member named as on the form; the
// handlers are grouped by panel in ui/<panel>/, and all of them share the global values
// (globals.h), the gateway qrySql and each other's controls.
#pragma once

#include "app/platform.h"
#include "db/connection_strings.h"
#include "db/sql_gateway.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;
class PictureBox;
class ReportListView;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Platform platform, QWidget* parent = nullptr);
    ~TForm1() override;

    // The platform may ask whether the window may close (log-off, shutdown); always yes.
    bool FormCloseQuery();
    // The creation handler; the constructor runs it once. Public so that start-up can be timed.
    void FormCreate();

    // The published reload routines of the two maintenance panels.
    void GetJobList();
    void GetwkList();

    // Shows a failure nobody caught, as the application-level handler does.
    void showApplicationError(const QString& text);

    // Server panel
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;

    // Position panel
    QGroupBox* GroupBox2 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* Button11 = nullptr;
    ReportListView* ListView1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* Button13 = nullptr;
    QPushButton* Button14 = nullptr;

    // Staff panel
    QGroupBox* GroupBox3 = nullptr;
    QPushButton* Button15 = nullptr;
    QPushButton* Button16 = nullptr;
    QPushButton* Button17 = nullptr;
    QPushButton* Button18 = nullptr;
    ReportListView* ListView2 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    PictureBox* Image1 = nullptr;
    QPushButton* Button19 = nullptr;
    QPushButton* Button20 = nullptr;
    QPushButton* Button21 = nullptr;
    QPushButton* Button22 = nullptr;

    // Skin panel
    QGroupBox* GroupBox4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button23 = nullptr;
    QPushButton* Button24 = nullptr;

    // Statistics panel
    QGroupBox* GroupBox5 = nullptr;
    QPushButton* Button25 = nullptr;

    SqlGateway qrySql;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Frame (app/tform1.cpp)
    void buildFrame();
    void bindSettingsFile();
    void setDefaultServerValues();
    void showServerValues();
    // Runs a handler; whatever it throws goes to the application-level handler.
    void guarded(const std::function<void()>& handler);
    void connectClick(QPushButton* button, void (TForm1::*handler)());
    Answer box(BoxKind kind, const QString& title, const QString& text);
    ServerLogin serverLogin() const;
    QString serverConnStr() const;
    QString catalogConnStr() const;

    // Server panel (ui/server/)
    void buildGroupBox1();
    void connectGroupBox1();
    void readSettings(); // FormCreate step: Setup.ini into the global values
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

    // Position panel (ui/positions/)
    void buildGroupBox2();
    void connectGroupBox2();
    void Button6Click();
    void ListView1SelectItem(QTreeWidgetItem* row, bool selected);
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();

    // Staff panel (ui/staff/)
    void buildGroupBox3();
    void connectGroupBox3();
    void fillSexList(); // FormCreate step
    void Button7Click();
    void ListView2SelectItem(QTreeWidgetItem* row, bool selected);
    void Button15Click();
    void Button16Click();
    void Button17Click();
    void Button18Click();
    void Button19Click();
    void Button20Click();
    void Button21Click();
    void Button22Click();

    // Skin panel (ui/skins/)
    void buildGroupBox4();
    void connectGroupBox4();
    void fillSkinList(); // FormCreate step
    void Button23Click();
    void Button24Click();
    void ComboBox1Change(int index);

    // Statistics panel (ui/statistics/)
    void buildGroupBox5();
    void connectGroupBox5();
    void Button25Click();

    Platform platform_;
};
