#include "ui/skins/engine/skin_looks.h"
#include "ui/skins/engine/style_engine.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char* const kOurLooks[] = {"Amethyst Kamri",     "Iceberg Classico",  "Slate Classico",
                                 "Sapphire Kamri",     "Lavender Classico", "Emerald Light Slate",
                                 "Smokey Quartz Kamri"};

double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// The WCAG contrast ratio, 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

// One primitive as the current style draws it in the given state.
QImage drawn(QStyle::PrimitiveElement element, QStyle::State state) {
    QStyleOptionButton option;
    option.rect = QRect(0, 0, 60, 24);
    option.state = state;
    option.palette = QApplication::palette();
    if (!(state & QStyle::State_Enabled))
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    QImage image(option.rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QApplication::style()->drawPrimitive(element, &option, &painter);
    return image;
}

void expectSamePalette(const QPalette& actual, const QPalette& expected) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            EXPECT_EQ(actual.color(group, QPalette::ColorRole(role)),
                      expected.color(group, QPalette::ColorRole(role)))
                << "group " << group << ", role " << role;
}

// A small window with one of each control the program styles, set up as the form sets them.
struct SampleWindow {
    SampleWindow() {
        QFont font;
        font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans CJK SC")});
        font.setPixelSize(11);
        window.setFont(font);
        box = new QGroupBox(QStringLiteral("皮肤选择"), &window);
        box->setGeometry(8, 8, 180, 100);
        label = new QLabel(QStringLiteral("用户名:"), box);
        edit = new QLineEdit(QStringLiteral("sa"), box);
        button = new QPushButton(QStringLiteral("保存配置"), box);
        heavyButton = new QPushButton(QStringLiteral("统计员工评分"), box);
        // The form's list views carry a style sheet of their own, for their grid lines.
        list = new QTreeWidget(box);
        list->setStyleSheet(
            QStringLiteral("QTreeView::item { border-right: 1px solid palette(mid); }"));
        list->setHeaderLabels({QStringLiteral("职务编号")});
        QFont heavy;
        heavy.setPixelSize(32);
        heavyButton->setFont(heavy);
        QPalette black = heavyButton->palette();
        black.setColor(QPalette::ButtonText, Qt::black);
        heavyButton->setPalette(black);
        window.resize(200, 120);
        window.show();
    }
    QWidget window;
    QGroupBox* box;
    QLabel* label;
    QLineEdit* edit;
    QPushButton* button;
    QPushButton* heavyButton;
    QTreeWidget* list;
};

// The caption's ink: of the pixels where the caption's first characters are drawn, the one least
// like the window behind them.
QColor captionColour(QGroupBox& box) {
    const QImage image = box.grab().toImage();
    const QColor window = box.palette().color(QPalette::Window);
    const QRect caption(10, 0, 36, 14);
    QColor ink = window;
    for (int y = caption.top(); y <= caption.bottom(); ++y)
        for (int x = caption.left(); x <= caption.right(); ++x)
            if (distance(image.pixelColor(x, y), window) > distance(ink, window))
                ink = image.pixelColor(x, y);
    return ink;
}

TEST(SkinNames, ThePlatformsLookThenOursInTheFixedOrder) {
    QStringList expected{QStringLiteral("Windows")};
    for (const char* name : kOurLooks)
        expected << QString::fromLatin1(name);
    EXPECT_EQ(skinNames(), expected);
}

TEST(ApplyStyle, WindowsIsThePlatformsOwnStyleWithItsStandardPalette) {
    ASSERT_TRUE(applyStyle(QStringLiteral("Amethyst Kamri")));
    ASSERT_TRUE(applyStyle(QStringLiteral("Windows")));
    EXPECT_EQ(currentStyleName(), QStringLiteral("Windows"));
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("windows"));
    expectSamePalette(QApplication::palette(), QApplication::style()->standardPalette());
}

TEST(ApplyStyle, AnUnknownNameChangesNothing) {
    ASSERT_TRUE(applyStyle(QStringLiteral("Slate Classico")));
    const QPalette palette = QApplication::palette();
    const QStyle* style = QApplication::style();
    for (const char* name : {"", "slate classico", "Windows ", "Fusion", "Style '%s'"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(applyStyle(QString::fromLatin1(name)));
        EXPECT_EQ(currentStyleName(), QStringLiteral("Slate Classico"));
        EXPECT_EQ(QApplication::style(), style);
        EXPECT_EQ(QApplication::palette(), palette);
    }
}

TEST(ApplyStyle, SwitchingLeavesNoColourOfThePreviousLookBehind) {
    SampleWindow sample;
    const char* const order[] = {"Sapphire Kamri",      "Windows",           "Iceberg Classico",
                                 "Smokey Quartz Kamri", "Lavender Classico", "Windows",
                                 "Amethyst Kamri"};
    for (const char* name : order) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(applyStyle(QString::fromLatin1(name)));
        const QPalette palette = QApplication::palette();
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Base,
                                         QPalette::Text, QPalette::Button, QPalette::ButtonText})
            for (QWidget* control :
                 std::initializer_list<QWidget*>{sample.edit, sample.list, sample.list->viewport()})
                EXPECT_EQ(control->palette().color(role), palette.color(role))
                    << control->metaObject()->className() << ", role " << role;
        EXPECT_EQ(sample.heavyButton->palette().color(QPalette::ButtonText), QColor(Qt::black));
        EXPECT_EQ(sample.heavyButton->palette().color(QPalette::Button),
                  palette.color(QPalette::Button));
    }
}

class OurLook : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        name = QString::fromLatin1(GetParam());
        look = findSkinLook(name);
        ASSERT_TRUE(look);
        ASSERT_TRUE(applyStyle(name));
        palette = QApplication::palette();
    }
    QString name;
    const SkinLook* look = nullptr;
    QPalette palette;
};

TEST_P(OurLook, IsFusionWithItsOwnPalette) {
    EXPECT_EQ(currentStyleName(), name);
    const auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
    ASSERT_TRUE(style);
    EXPECT_EQ(style->baseStyle()->name().toLower(), QStringLiteral("fusion"));
    expectSamePalette(palette, style->standardPalette());
    EXPECT_EQ(palette.color(QPalette::Window), QColor(look->window));
}

TEST_P(OurLook, TextIsReadableOnWhatItIsDrawnOn) {
    struct Pair {
        QPalette::ColorRole text, background;
    };
    const Pair pairs[] = {{QPalette::WindowText, QPalette::Window},
                          {QPalette::ButtonText, QPalette::Button},
                          {QPalette::Text, QPalette::Base},
                          {QPalette::Text, QPalette::AlternateBase},
                          {QPalette::HighlightedText, QPalette::Highlight}};
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const Pair& pair : pairs)
            EXPECT_GE(
                contrast(palette.color(group, pair.text), palette.color(group, pair.background)),
                4.5)
                << "group " << group << ", role " << pair.text << " on " << pair.background;
}

TEST_P(OurLook, CaptionsAndTheBlackButtonCaptionAreReadableInEveryButtonState) {
    const SkinShades shades = shadesOf(*look);
    EXPECT_GE(contrast(QColor(look->title), QColor(look->window)), 4.5) << "group box caption";
    const std::pair<const char*, QColor> faces[] = {{"button", QColor(look->button)},
                                                    {"gradient top", shades.buttonTop},
                                                    {"hover", shades.hover},
                                                    {"pressed", shades.pressed}};
    for (const auto& [state, face] : faces) {
        EXPECT_GE(contrast(Qt::black, face), 4.5) << state;
        EXPECT_GE(contrast(QColor(look->buttonText), face), 4.5) << state;
    }
}

TEST_P(OurLook, DisabledTextIsFadedButStillVisible) {
    struct Pair {
        QPalette::ColorRole text, background;
    };
    const Pair pairs[] = {{QPalette::WindowText, QPalette::Window},
                          {QPalette::ButtonText, QPalette::Button},
                          {QPalette::Text, QPalette::Base}};
    for (const Pair& pair : pairs) {
        const double enabled = contrast(palette.color(QPalette::Active, pair.text),
                                        palette.color(QPalette::Active, pair.background));
        const double disabled = contrast(palette.color(QPalette::Disabled, pair.text),
                                         palette.color(QPalette::Disabled, pair.background));
        EXPECT_LT(disabled, enabled / 1.8) << "role " << pair.text << " looks enabled";
        EXPECT_GE(disabled, 1.8) << "role " << pair.text << " vanishes";
    }
}

TEST_P(OurLook, ButtonAndEditStatesCanBeToldApart) {
    using S = QStyle::StateFlag;
    const std::pair<const char*, QStyle::State> states[] = {
        {"normal", S::State_Enabled},
        {"hover", S::State_Enabled | S::State_MouseOver},
        {"pressed", S::State_Enabled | S::State_Sunken},
        {"focus", S::State_Enabled | S::State_HasFocus},
        {"disabled", S::State_None}};
    for (QStyle::PrimitiveElement element :
         {QStyle::PE_PanelButtonCommand, QStyle::PE_FrameLineEdit}) {
        std::vector<std::pair<const char*, QImage>> images;
        for (const auto& [state, flags] : states)
            if (element != QStyle::PE_FrameLineEdit || !(flags & S::State_Sunken))
                images.emplace_back(state, drawn(element, flags)); // an edit is never pressed
        for (std::size_t a = 0; a < images.size(); ++a)
            for (std::size_t b = a + 1; b < images.size(); ++b)
                EXPECT_NE(images[a].second, images[b].second)
                    << "element " << element << ": " << images[a].first << " looks like "
                    << images[b].first;
    }
}

TEST_P(OurLook, ADisabledGroupBoxLooksDisabled) {
    SampleWindow sample;
    const QColor enabledCaption = captionColour(*sample.box);
    sample.box->setEnabled(false);
    const QColor disabledCaption = captionColour(*sample.box);
    const QColor window(look->window);
    EXPECT_GE(contrast(disabledCaption, window), 1.5) << "the caption vanishes";
    EXPECT_GT(contrast(enabledCaption, window), 1.5 * contrast(disabledCaption, window))
        << "a disabled caption looks enabled: " << enabledCaption.name().toStdString() << " vs "
        << disabledCaption.name().toStdString();
    EXPECT_NE(drawn(QStyle::PE_FrameGroupBox, QStyle::State_Enabled),
              drawn(QStyle::PE_FrameGroupBox, QStyle::State_None));
}

TEST_P(OurLook, KeepsTheFontsAndTheBlackCaptionTheWindowSets) {
    SampleWindow sample;
    ASSERT_TRUE(applyStyle(name));
    for (QWidget* control :
         std::initializer_list<QWidget*>{sample.label, sample.edit, sample.button})
        EXPECT_EQ(control->font().pixelSize(), 11) << control->metaObject()->className();
    EXPECT_EQ(sample.heavyButton->font().pixelSize(), 32);
    EXPECT_EQ(sample.heavyButton->palette().color(QPalette::ButtonText), QColor(Qt::black));
}

INSTANTIATE_TEST_SUITE_P(Skins, OurLook, ::testing::ValuesIn(kOurLooks), [](const auto& info) {
    std::string name = info.param;
    std::erase(name, ' ');
    return name;
});

} // namespace
