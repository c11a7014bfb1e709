// Which staff-panel controls each event enables, disables, fills or empties, and what the
// photo box shows afterwards. A blank cell means the event leaves that control as it was.
#include "tests/dbgui/staff_fixture.h"

#include "ui/widgets/picture_box.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <functional>
#include <map>

using namespace staff_texts;

namespace {

const char* const kColumns[] = {"Edit6",    "Edit7",    "ComboBox2", "ComboBox3",
                                "Button16", "Button17", "Button18",  "Button19",
                                "Button20", "Button21", "Button22",  "Image1"};

// The one staff member every row starts from, and the photo file chosen in some rows.
const QString kNumber = QStringLiteral("001");
const QString kName = QStringLiteral("张三");
constexpr int kSexIndex = 1;      // stored "1"
constexpr int kPositionIndex = 1; // 网管, number 002
const char* const kStoredPhoto = "red.jpg";
const char* const kChosenPhoto = "gradient.jpg";

struct ControlState {
    bool enabled = false;
    QString text;     // an edit's text
    int selected = 0; // a drop-down list's selected index
    QByteArray photo; // Image1's bytes
};

struct EventRow {
    const char* event;
    std::function<void()> prepare;
    std::function<void()> act;
    std::map<QString, QString> cells; // control name -> "E", "D", "empty", "filled", ...
};

} // namespace

class StaffPanelStatesTest : public StaffPanelTest {
protected:
    ControlState stateOf(const char* name) {
        ControlState state;
        QWidget* control = widget(name);
        state.enabled = control->isEnabledTo(control->parentWidget());
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            state.text = edit->text();
        if (auto* list = qobject_cast<QComboBox*>(control))
            state.selected = list->currentIndex();
        if (auto* box = qobject_cast<PictureBox*>(control))
            state.photo = box->hasPicture() ? box->jpegBytes() : QByteArray();
        return state;
    }

    void checkCell(const char* name, const QString& cell, const ControlState& before) {
        SCOPED_TRACE(std::string(name) + " \"" + cell.toStdString() + "\"");
        const ControlState now = stateOf(name);
        const QString control = QString::fromLatin1(name);
        if (cell.isEmpty()) {
            EXPECT_EQ(now.enabled, before.enabled);
            EXPECT_EQ(now.text, before.text);
            EXPECT_EQ(now.selected, before.selected);
            EXPECT_EQ(now.photo, before.photo);
            return;
        }
        for (QString token : cell.split(u',')) {
            token = token.trimmed();
            if (token == "E" || token == "D")
                EXPECT_EQ(now.enabled, token == "E");
            else if (control == "Image1")
                EXPECT_EQ(now.photo, token == "row's photo"    ? fixture(kStoredPhoto)
                                     : token == "file's photo" ? fixture(kChosenPhoto)
                                                               : QByteArray());
            else if (token == "empty" && control.startsWith("ComboBox"))
                EXPECT_EQ(now.selected, -1);
            else if (token == "empty")
                EXPECT_EQ(now.text, QString());
            else if (token == "filled")
                EXPECT_EQ(now.text, control == "Edit6" ? kNumber : kName);
            else if (token == "selected")
                EXPECT_EQ(now.selected, control == "ComboBox2" ? kSexIndex : kPositionIndex);
            else
                ADD_FAILURE() << "unknown cell";
        }
    }

    void resetStaff() {
        exec(QStringLiteral("delete from wkinfo"));
        storeStaff(kNumber, kName, QStringLiteral("1"), QStringLiteral("002"),
                   fixture(kStoredPhoto));
    }
    void choosePhoto() {
        files.answer(fixturePath(kChosenPhoto));
        click("Button21");
    }
    void startModifying() {
        boxes.expect(BoxKind::Warning, QStringLiteral("提示信息"), kModifyHint);
        click("Button18");
    }
};

TEST_F(StaffPanelStatesTest, EachEventChangesExactlyTheControlsItShould) {
    const auto open = [&] { openStaffPanel(); };
    const auto pickTheRow = [&] { pickRow("ListView2", 0); };
    const EventRow table[] = {
        {"start-up",
         [&] { createConnectedForm(); },
         [] {},
         {{"Edit6", "D"},
          {"Edit7", "D"},
          {"ComboBox2", "D"},
          {"ComboBox3", "D"},
          {"Button16", "E"},
          {"Button17", "D"},
          {"Button18", "D"},
          {"Button19", "D"},
          {"Button20", "D"},
          {"Button21", "D"},
          {"Button22", "D"},
          {"Image1", "empty"}}},
        {"row selected",
         [&] { open(), click("Button16"); },
         pickTheRow,
         {{"Edit6", "filled"},
          {"Edit7", "filled"},
          {"ComboBox2", "selected"},
          {"ComboBox3", "selected"},
          {"Button17", "E"},
          {"Button18", "E"},
          {"Image1", "row's photo"}}},
        {"add",
         [&] { open(), pickTheRow(); },
         [&] { click("Button16"); },
         {{"Edit6", "empty, E"},
          {"Edit7", "empty, E"},
          {"ComboBox2", "empty, E"},
          {"ComboBox3", "empty, E"},
          {"Button16", "D"},
          {"Button17", "D"},
          {"Button18", "D"},
          {"Button19", "E"},
          {"Button21", "E"},
          {"Button22", "E"},
          {"Image1", "cleared"}}},
        {"modify, number filled",
         [&] { open(), pickTheRow(); },
         [&] { startModifying(); },
         {{"Edit7", "E"},
          {"ComboBox2", "E"},
          {"ComboBox3", "E"},
          {"Button16", "D"},
          {"Button17", "D"},
          {"Button18", "D"},
          {"Button20", "E"},
          {"Button21", "E"},
          {"Button22", "E"}}},
        {"change photo, file chosen",
         [&] { open(), pickTheRow(), startModifying(); },
         [&] { choosePhoto(); },
         {{"Image1", "file's photo"}}},
        {"save new, success",
         [&] {
             open(), click("Button16"), pickTheRow(), choosePhoto();
             type("Edit6", QStringLiteral("002"));
             type("Edit7", QStringLiteral("李四"));
         },
         [&] {
             boxes.expect(BoxKind::Information, kNoticeTitle, kAdded);
             click("Button19");
         },
         {{"Edit6", "D, empty"},
          {"Edit7", "D, empty"},
          {"ComboBox2", "D"},
          {"ComboBox3", "D"},
          {"Button16", "E"},
          {"Button18", "E"},
          {"Button19", "D"},
          {"Button20", "D"},
          {"Button21", "D"},
          {"Button22", "D"}}},
        {"save modification, success",
         [&] { open(), pickTheRow(), startModifying(), type("Edit7", QStringLiteral("张三丰")); },
         [&] {
             boxes.expect(BoxKind::Information, kNoticeTitle, kModified);
             click("Button20");
         },
         {{"Edit6", "empty"},
          {"Edit7", "empty, D"},
          {"ComboBox2", "D"},
          {"ComboBox3", "D"},
          {"Button16", "E"},
          {"Button20", "D"},
          {"Button21", "D"},
          {"Button22", "D"}}},
        {"cancel",
         [&] {
             open(), click("Button16"), choosePhoto();
             type("Edit6", QStringLiteral("002"));
             type("Edit7", QStringLiteral("李四"));
             pick("ComboBox2", 0), pick("ComboBox3", 2);
         },
         [&] { click("Button22"); },
         {{"Edit6", "empty, D"},
          {"Edit7", "empty, D"},
          {"ComboBox2", "empty, D"},
          {"ComboBox3", "empty, D"},
          {"Button16", "E"},
          {"Button18", "E"},
          {"Button19", "D"},
          {"Button20", "D"},
          {"Button21", "D"},
          {"Button22", "D"}}},
        {"delete, validated",
         [&] { open(), pickTheRow(); },
         [&] {
             boxes.expect(BoxKind::Question, kQuestionTitle, deleteQuestion(kNumber, kName),
                          Answer::No);
             click("Button17");
         },
         {{"Image1", "cleared"}}},
    };

    createScoreDatabase();
    for (const EventRow& row : table) {
        SCOPED_TRACE(row.event);
        resetStaff();
        row.prepare();
        boxes.verifyAllShown();
        std::map<QString, ControlState> before;
        for (const char* name : kColumns)
            before[QString::fromLatin1(name)] = stateOf(name);
        row.act();
        boxes.verifyAllShown();
        for (const char* name : kColumns) {
            const auto cell = row.cells.find(QString::fromLatin1(name));
            checkCell(name, cell == row.cells.end() ? QString() : cell->second,
                      before[QString::fromLatin1(name)]);
        }
        if (std::string(row.event) != "start-up") {
            EXPECT_TRUE(enabled("Button15"));
            EXPECT_TRUE(enabled("ListView2"));
        }
    }
}
