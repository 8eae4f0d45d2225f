#include "conditions/units/EditFilters.h"
#include "conditions/units/LengthUnits.h"

#include <QLineEdit>
#include <QTest>

#include <cstdint>

#include <gtest/gtest.h>

TEST(DecimalFilterRules, AcceptsOnlyNumbersWithTheAllowedDecimals) {
    const struct {
        const char* text;
        int decimals;
        char separator;
        bool accepted;
    } cases[] = {
        {"", 1, '.', true},          {"0", 1, '.', true},       {"12.3", 1, '.', true},
        {"12.34", 1, '.', false},    {"12.", 1, '.', true},     {".5", 1, '.', true},
        {"1.234", 3, '.', true},     {"1.2345", 3, '.', false}, {"2.01", 2, '.', true},
        {"2.001", 2, '.', false},    {"-", 1, '.', true},       {"-0.5", 1, '.', true},
        {"1-", 1, '.', false},       {"--1", 1, '.', false},    {"1.2.", 3, '.', false},
        {"1..", 3, '.', false},      {"12,5", 1, ',', true},    {"12.5", 1, ',', false},
        {"12,5", 1, '.', false},     {"1 ", 1, '.', false},     {" 1", 1, '.', false},
        {"+1", 1, '.', false},       {"1e3", 1, '.', false},    {"nan", 3, '.', false},
        {"inf", 3, '.', false},      {"1.x", 1, '.', false},    {"1.-", 1, '.', false},
        {"\xD9\xA3", 1, '.', false}, // ARABIC-INDIC DIGIT THREE: not read as a number
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDecimalTextAcceptable(QString::fromUtf8(c.text), c.decimals,
                                          QChar::fromLatin1(c.separator)),
                  c.accepted)
            << '"' << c.text << "\" decimals " << c.decimals << " separator " << c.separator;
    }
}

TEST(IntegerFilterRules, AcceptsOnlyDigitsWithALeadingMinus) {
    const std::pair<const char*, bool> cases[] = {
        {"", true},     {"5000", true}, {"-5", true},  {"-", true},   {"5-", false}, {"--5", false},
        {"1.5", false}, {"1,5", false}, {"+5", false}, {"5 ", false}, {"x", false},
    };
    for (const auto& [text, accepted] : cases) {
        EXPECT_EQ(IsIntegerTextAcceptable(QString::fromLatin1(text)), accepted) << text;
    }
}

namespace {

// An edit wired the way a dialog wires a length edit: every change runs the filter, and an
// accepted text is read into the stored length.
class FilteredEdit : public ::testing::Test {
protected:
    void Wire(int unit, int decimals, QChar separator) {
        m_unit = unit;
        m_decimals = decimals;
        m_separator = separator;
        QObject::disconnect(m_wiring);
        m_wiring = QObject::connect(&m_edit, &QLineEdit::textChanged, [this] {
            ++m_changes;
            if (FilterDecimalEdit(&m_edit, m_decimals, m_separator)) {
                m_microns =
                    ParseDecimalLength(m_edit.text(), m_unit, m_separator).value_or(m_microns);
            }
        });
        m_edit.show();
        m_edit.setFocus();
    }

    QLineEdit m_edit;
    QMetaObject::Connection m_wiring;
    int m_unit = kUnitMetric;
    int m_decimals = 1;
    QChar m_separator{'.'};
    std::int32_t m_microns = -1;
    int m_changes = 0;
};

} // namespace

// The separator of the other convention is taken as the user's own, never dropped: "1,5"
// under English is one and a half, not fifteen.
TEST_F(FilteredEdit, TheOtherSeparatorIsTakenAsTheDecimalSeparator) {
    const struct {
        char separator; // English and Japanese '.', German and French ','
        int unit;
        int decimals;
        const char* typed;
        const char* shown;
        std::int32_t microns;
    } rows[] = {
        {'.', kUnitMetric, 1, "1,5", "1.5", 1500},
        {'.', kUnitInch, 3, "0,197", "0.197", 5004},
        {',', kUnitMetric, 1, "1.5", "1,5", 1500},
        {',', kUnitMetric, 1, "-0.5", "-0,5", -500},
        {'.', kUnitMetric, 1, "1.5,", "1.5", 1500}, // a second separator is still refused
        {',', kUnitMetric, 1, "1,.5", "1,5", 1500},
        {',', kUnitMetric, 1, "1.55", "1,5", 1500}, // and a decimal too many
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.typed) + " under '" + row.separator + "'");
        QObject::disconnect(m_wiring);
        m_edit.clear();
        m_microns = 0;
        Wire(row.unit, row.decimals, QChar::fromLatin1(row.separator));
        QTest::keyClicks(&m_edit, row.typed);
        EXPECT_EQ(m_edit.text().toStdString(), row.shown);
        EXPECT_EQ(m_microns, row.microns);
    }
}

TEST_F(FilteredEdit, TypingDigitsStoresTheLength) {
    Wire(kUnitMetric, 1, QChar('.'));
    QTest::keyClicks(&m_edit, "32.3");
    EXPECT_EQ(m_edit.text(), "32.3");
    EXPECT_EQ(m_microns, 32299);
}

TEST_F(FilteredEdit, RejectedKeystrokesRestoreTheTextAndKeepTheLength) {
    Wire(kUnitMetric, 1, QChar('.'));
    QTest::keyClicks(&m_edit, "12.3");
    ASSERT_EQ(m_microns, 12300);
    for (const char* key : {"4", ".", "-", "x", " "}) {
        QTest::keyClicks(&m_edit, key);
        EXPECT_EQ(m_edit.text(), "12.3") << key;
        EXPECT_EQ(m_edit.cursorPosition(), 4) << key;
        EXPECT_EQ(m_microns, 12300) << key;
    }
}

TEST_F(FilteredEdit, RejectionMovesTheCaretOneBack) {
    Wire(kUnitMetric, 1, QChar('.'));
    QTest::keyClicks(&m_edit, "123");
    m_edit.setCursorPosition(1);
    QTest::keyClicks(&m_edit, "x"); // "1x23", caret 2
    EXPECT_EQ(m_edit.text(), "123");
    EXPECT_EQ(m_edit.cursorPosition(), 1);
    m_edit.setCursorPosition(0);
    QTest::keyClicks(&m_edit, "-"); // a leading minus is fine
    EXPECT_EQ(m_edit.text(), "-123");
    EXPECT_EQ(m_microns, -123000);
    m_edit.selectAll();
    QTest::keyClicks(&m_edit, "a"); // "a", caret 1
    EXPECT_EQ(m_edit.text(), "-123");
    EXPECT_EQ(m_edit.cursorPosition(), 0);
    EXPECT_FALSE(m_edit.hasSelectedText());
}

TEST_F(FilteredEdit, InchesAllowThreeDecimalsWithACommaSeparator) {
    Wire(kUnitInch, 3, QChar(','));
    QTest::keyClicks(&m_edit, "1,2345");
    EXPECT_EQ(m_edit.text(), "1,234");
    EXPECT_EQ(m_microns, 31350); // trunc(1.234 × 25405.9)
}

TEST_F(FilteredEdit, UndoReturnsOnlyToTheLastAcceptedText) {
    Wire(kUnitMetric, 1, QChar('.'));
    QTest::keyClicks(&m_edit, "1.2");
    QTest::keyClick(&m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), "1.2");
    m_edit.undo();
    EXPECT_EQ(m_edit.text(), "1.2");
    EXPECT_EQ(m_microns, 1200);

    QTest::keyClicks(&m_edit, "x");
    EXPECT_EQ(m_edit.text(), "1.2");
    QTest::keyClick(&m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), "1.2");

    m_edit.selectAll();
    QTest::keyClicks(&m_edit, "5");
    QTest::keyClick(&m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), "5");
    EXPECT_EQ(m_microns, 5000);
}

TEST_F(FilteredEdit, AcceptingKeepsTheSelection) {
    Wire(kUnitMetric, 1, QChar('.'));
    QTest::keyClicks(&m_edit, "123");
    m_edit.setSelection(3, -2); // "23" selected, caret at 1
    QTest::keyClicks(&m_edit, "9");
    EXPECT_EQ(m_edit.text(), "19");
    EXPECT_EQ(m_edit.cursorPosition(), 2);
    EXPECT_FALSE(m_edit.hasSelectedText());
}

TEST_F(FilteredEdit, RestoringRunsTheHandlerOnlyOnce) {
    Wire(kUnitInch, 3, QChar('.'));
    QTest::keyClicks(&m_edit, "1.25");
    // The unit changes to millimetres while the old text stays: "1.25" is no longer
    // acceptable, yet restoring it must not filter again (and never loop).
    m_unit = kUnitMetric;
    m_decimals = 1;
    const int before = m_changes;
    QTest::keyClicks(&m_edit, "x");
    EXPECT_EQ(m_changes, before + 1);
    EXPECT_EQ(m_edit.text(), "1.25");
}

TEST_F(FilteredEdit, AnEditNeverAcceptedRestoresEmpty) {
    {
        const QSignalBlocker blocker(&m_edit);
        m_edit.setText("7x");
    }
    EXPECT_FALSE(FilterDecimalEdit(&m_edit, 1, QChar('.')));
    EXPECT_EQ(m_edit.text(), "");
    EXPECT_FALSE(FilterDecimalEdit(nullptr, 1, QChar('.')));
    EXPECT_FALSE(FilterIntegerEdit(nullptr));
}

TEST(IntegerFilteredEdit, TypingOnARealEdit) {
    QLineEdit edit;
    std::int32_t microns = -1;
    QObject::connect(&edit, &QLineEdit::textChanged, [&] {
        if (FilterIntegerEdit(&edit)) {
            microns = ParseWholeLength(edit.text(), WholeLength::PageLength, kUnitMetric).value();
        }
    });
    edit.show();
    QTest::keyClicks(&edit, "50.01");
    EXPECT_EQ(edit.text(), "5001");
    EXPECT_EQ(microns, 50010000);
    QTest::keyClicks(&edit, "-");
    EXPECT_EQ(edit.text(), "5001");
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "-");
    EXPECT_EQ(edit.text(), "-5001");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "-5001");
    EXPECT_EQ(microns, -50010000);
}
