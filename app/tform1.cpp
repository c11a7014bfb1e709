#include "app/tform1.h"

#include "app/app_error.h"
#include "app/app_icon.h"
#include "app/globals.h"
#include "settings/profile_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <exception>

namespace {

constexpr int kClientWidth = 794;
constexpr int kClientHeight = 575;

QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans")});
    font.setPixelSize(11);
    return font;
}

} // namespace

TForm1::TForm1(Platform platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      platform_(std::move(platform)) {
    setObjectName(QStringLiteral("Form1"));
    qrySql.SetBusyIndicator([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    buildFrame();
    guarded([this] { FormCreate(); });
}

TForm1::~TForm1() {
    // Released with the window, not when it is asked whether it may close: a log-off that
    // is cancelled afterwards must still be able to save.
    IniFile.reset();
}

void TForm1::buildFrame() {
    setWindowTitle(QStringLiteral("评分系统设置"));
    setWindowIcon(appIcon());
    setFont(windowFont());
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildGroupBox1();
    buildGroupBox2();
    buildGroupBox3();
    buildGroupBox4();
    buildGroupBox5();

    connectGroupBox1();
    connectGroupBox2();
    connectGroupBox3();
    connectGroupBox4();
    connectGroupBox5();
}

void TForm1::FormCreate() {
    bindSettingsFile();
    setDefaultServerValues();
    readSettings();
    showServerValues();
    fillSkinList();
    fillSexList();
}

void TForm1::bindSettingsFile() {
    // The real directory of the executable, whatever characters it holds.
    sAppPath = QDir::toNativeSeparators(QFileInfo(platform_.executablePath).absolutePath());
    if (!sAppPath.endsWith(QDir::separator()))
        sAppPath += QDir::separator();
    sIniFile = sAppPath + QStringLiteral("Setup.ini");
    IniFile = std::make_unique<ProfileFile>(sIniFile);
}

void TForm1::setDefaultServerValues() {
    sServerIP = QStringLiteral("127.0.0.1");
    sUser = QStringLiteral("sa");
    sPassword.clear();
    sConnStr.clear();
    sSql.clear();
    iSkinIndex = 0;
}

void TForm1::showServerValues() {
    Edit1->setText(sServerIP);
    Edit2->setText(sUser);
    Edit3->setText(sPassword);
}

bool TForm1::FormCloseQuery() {
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TForm1::showApplicationError(const QString& text) {
    box(BoxKind::Error, applicationErrorTitle(platform_.executablePath),
        applicationErrorText(text));
}

void TForm1::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const DatabaseError& failure) {
        showApplicationError(failure.text());
    } catch (const std::exception& failure) {
        showApplicationError(QString::fromUtf8(failure.what()));
    } catch (...) {
        showApplicationError(QStringLiteral("Unknown failure"));
    }
}

void TForm1::connectClick(QPushButton* button, void (TForm1::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { guarded([&] { (this->*handler)(); }); });
}

Answer TForm1::box(BoxKind kind, const QString& title, const QString& text) {
    return platform_.boxes->show(this, kind, title, text);
}

ServerLogin TForm1::serverLogin() const {
    return ServerLogin{sServerIP, sUser, sPassword};
}

QString TForm1::serverConnStr() const {
    return ServerConnStr(serverLogin());
}

QString TForm1::catalogConnStr() const {
    return CatalogConnStr(serverLogin());
}
