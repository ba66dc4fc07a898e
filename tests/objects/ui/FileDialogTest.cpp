#include "orvenly/FileDialog.h"
#include "objects/ui/FileDialogParts.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "tests/support/TestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

using namespace orvenly;

namespace {

// Answers the dialogs of one kind for the life of a test and records what they were asked.
class Script {
public:
    Script(const QString& kind, const std::optional<modal::Answer>& answer) {
        modal::setResponder([this, kind, answer](const modal::Request& request) {
            requests.push_back(request);
            return request.kind == kind ? answer : std::nullopt;
        });
    }
    ~Script() { modal::setResponder({}); }

    std::vector<modal::Request> requests;
};

QStringList pathsOf(const KeyedCollection<QString>& collection) {
    QStringList result;
    for (const QString& path : collection)
        result.append(path);
    return result;
}

const QString TwoFilters = QStringLiteral("テキスト文書\0*.txt;*.text\0すべてのファイル\0*.*\0\0");

} // namespace

TEST(FileDialogFilters, PairsBecomeHostFiltersAndChosenOneMapsBack) {
    const QStringList filters = filedialog::hostFilters(TwoFilters);
    ASSERT_EQ(filters, QStringList({QStringLiteral("テキスト文書 (*.txt *.text)"),
                                    QStringLiteral("すべてのファイル (*)")}));
    EXPECT_EQ(filedialog::filterIndexOf(filters, filters[1]), 2);
    EXPECT_EQ(filedialog::filterIndexOf(filters, QStringLiteral("other (*.x)")), 0);

    EXPECT_TRUE(filedialog::hostFilters({}).isEmpty());
    // Patterns shown in the description give way to the pattern part.
    EXPECT_EQ(filedialog::hostFilters(QStringLiteral("すべて (*.*)\0*.*\0\0")),
              QStringList{QStringLiteral("すべて (*)")});
    // A description left without its pattern, and anything after the closing zeros, is dropped.
    EXPECT_EQ(filedialog::hostFilters(QStringLiteral("A\0*.a\0B\0")),
              QStringList{QStringLiteral("A (*.a)")});
    EXPECT_EQ(filedialog::hostFilters(QStringLiteral("A\0*.a\0\0B\0*.b\0")),
              QStringList{QStringLiteral("A (*.a)")});
}

TEST(FileDialogFlags, ValuesIncludingTheRowsThatDifferFromTheHeaders) {
    EXPECT_EQ(OFN_SHAREAWAER, 16384);
    EXPECT_EQ(CF_HELPBUTTON, 4);
    EXPECT_EQ(CF_WYSIWYG, -32768);
    EXPECT_EQ(OFN_ALLOWMULTISELECT, 0x200);
    EXPECT_EQ(OFN_EXTENSIONDIFFERENT, 0x400);
    EXPECT_EQ(OFN_LONGNAMES, 0x200000);
    EXPECT_EQ(PD_USEDEVMODECOPIES, 0x40000);
    EXPECT_EQ(PD_NONETWORKBUTTON, 0x200000);
    EXPECT_EQ(CF_BOTH, CF_SCREENFONTS | CF_PRINTERFONTS);
    EXPECT_EQ(CF_NOSIZESEL, 0x200000);
    EXPECT_EQ(CC_ANYCOLOR, 0x100);
    EXPECT_EQ(PDT_PAGENUMS, 2);
}

TEST(FileDialogProperties, InitialValuesAndCustomColourIndexChecks) {
    FileDialog dialog;
    EXPECT_EQ(dialog.SelectFilter(), 0);
    EXPECT_FALSE(dialog.ReadOnly());
    EXPECT_FALSE(dialog.DifferentExtension());
    EXPECT_EQ(dialog.TargetPage(), PDT_ALLPAGES);
    EXPECT_EQ(dialog.Flags(), 0);
    EXPECT_TRUE(dialog.InitDir().isNull());

    dialog.SetCustomColor(15, 0x123456);
    EXPECT_EQ(dialog.CustomColor(15), 0x123456);
    EXPECT_EQ(dialog.CustomColor(0), 0);
    try {
        dialog.SetCustomColor(16, 1);
        FAIL() << "index 16 accepted";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.number(), 381);
        EXPECT_EQ(error.source(), QStringLiteral("FileDialog"));
        EXPECT_EQ(error.description(), QStringLiteral("プロパティ配列のインデックスが不正です。"));
    }
    EXPECT_EQ(errorOf([&] { dialog.CustomColor(-1); }), 381);
    EXPECT_EQ(dialog.CustomColor(15), 0x123456);
}

TEST(FileDialogOpen, OneFileSetsInitDirFilterAndReadOnly) {
    FileDialog dialog;
    dialog.SetFilter(TwoFilters);
    dialog.SetFilterIndex(2);
    dialog.SetInitDir(QStringLiteral("/start"));
    Script script(QStringLiteral("FileOpen"),
                  modal::Answer{2 | FileDialog::ScriptedReadOnly, {QStringLiteral("/a/b.txt")}});

    EXPECT_EQ(pathsOf(dialog.ShowOpen()), QStringList{QStringLiteral("/a/b.txt")});
    ASSERT_EQ(script.requests.size(), 1u);
    EXPECT_EQ(script.requests[0].text, QStringLiteral("/start"));
    EXPECT_EQ(script.requests[0].style, 2);
    EXPECT_EQ(script.requests[0].details.size(), 2);
    EXPECT_EQ(dialog.InitDir(), QStringLiteral("/a/"));
    EXPECT_EQ(dialog.SelectFilter(), 2);
    EXPECT_TRUE(dialog.ReadOnly());
}

TEST(FileDialogOpen, SeveralFilesComeInOrderUnderTheirDirectory) {
    FileDialog dialog;
    dialog.SetInitDir(QStringLiteral("/d"));
    {
        Script script(QStringLiteral("FileOpen"),
                      modal::Answer{1, {QStringLiteral("x.txt"), QStringLiteral("/d/y.txt")}});
        EXPECT_EQ(pathsOf(dialog.ShowOpen()),
                  QStringList({QStringLiteral("/d/x.txt"), QStringLiteral("/d/y.txt")}));
        EXPECT_EQ(dialog.InitDir(), QStringLiteral("/d/"));
    }
    {
        Script script(QStringLiteral("FileOpen"),
                      modal::Answer{1, {QStringLiteral("/x.txt"), QStringLiteral("/y.txt")}});
        EXPECT_EQ(dialog.ShowOpen().Count(), 2);
        EXPECT_EQ(dialog.InitDir(), QStringLiteral("/"));
    }
}

TEST(FileDialogOpen, CancelOrOverflowChangesNothing) {
    FileDialog dialog;
    dialog.SetInitDir(QStringLiteral("/keep/"));
    {
        Script script(QStringLiteral("FileOpen"), modal::Answer{3, {}});
        EXPECT_EQ(dialog.ShowOpen().Count(), 0);
    }
    // "/d/x.txt" needs 8 bytes and its zero; "/d", "x.txt", "y.txt" with zeros need 16.
    dialog.SetMaxFileSize(9);
    {
        Script script(QStringLiteral("FileOpen"), modal::Answer{3, {QStringLiteral("/d/x.txt")}});
        EXPECT_EQ(dialog.ShowOpen().Count(), 1);
    }
    dialog.SetInitDir(QStringLiteral("/keep/"));
    dialog.SetMaxFileSize(15);
    {
        Script script(QStringLiteral("FileOpen"),
                      modal::Answer{3, {QStringLiteral("/d/x.txt"), QStringLiteral("/d/y.txt")}});
        EXPECT_EQ(dialog.ShowOpen().Count(), 0);
    }
    EXPECT_EQ(dialog.InitDir(), QStringLiteral("/keep/"));
    EXPECT_EQ(dialog.SelectFilter(), 3);
}

TEST(FileDialogSave, SeedSplitsIntoFolderAndName) {
    FileDialog dialog;
    dialog.SetInitDir(QStringLiteral("/init/"));
    dialog.SetDefaultExt(QStringLiteral("txt"));
    QString name = QStringLiteral("/tmp/a.txt");
    {
        Script script(QStringLiteral("FileSave"), modal::Answer{0, {}});
        EXPECT_FALSE(dialog.ShowSave(name));
        EXPECT_EQ(script.requests.at(0).text, QStringLiteral("/tmp/a.txt"));
    }
    EXPECT_EQ(name, QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(dialog.InitDir(), QStringLiteral("/init/"));

    name = QStringLiteral("b.txt");
    {
        Script script(QStringLiteral("FileSave"), modal::Answer{1, {QStringLiteral("/out/b.log")}});
        EXPECT_TRUE(dialog.ShowSave(name));
        EXPECT_EQ(script.requests.at(0).text, QStringLiteral("/init/b.txt"));
    }
    EXPECT_EQ(name, QStringLiteral("/out/b.log"));
    EXPECT_EQ(dialog.InitDir(), QStringLiteral("/out/"));
    EXPECT_EQ(dialog.SelectFilter(), 1);
    EXPECT_TRUE(dialog.DifferentExtension());

    Script script(QStringLiteral("FileSave"), modal::Answer{1, {QStringLiteral("/out/c.TXT")}});
    EXPECT_TRUE(dialog.ShowSave(name));
    EXPECT_FALSE(dialog.DifferentExtension());
}

TEST(FileDialogSave, SeedNameLongerThanTheBufferIsRefusedBeforeAnyDialog) {
    FileDialog dialog;
    dialog.SetMaxFileSize(4);
    Script script(QStringLiteral("FileSave"), modal::Answer{1, {QStringLiteral("/x")}});
    QString name = QStringLiteral("/long/abcde");
    EXPECT_EQ(errorOf([&] { dialog.ShowSave(name); }), 5);
    EXPECT_TRUE(script.requests.empty());
    name = QStringLiteral("/long/abcd");
    EXPECT_NO_THROW(dialog.ShowSave(name));
}

TEST(FileDialogPath, SeedAndResultSeparators) {
    FileDialog dialog;
    QString path = QStringLiteral("/usr/");
    {
        Script script(QStringLiteral("FilePath"), modal::Answer{0, {QStringLiteral("/usr/lib")}});
        EXPECT_TRUE(dialog.ShowPath(path));
        EXPECT_EQ(script.requests.at(0).text, QStringLiteral("/usr"));
    }
    EXPECT_EQ(path, QStringLiteral("/usr/lib/"));
    {
        Script script(QStringLiteral("FilePath"), modal::Answer{0, {QStringLiteral("/")}});
        EXPECT_TRUE(dialog.ShowPath(path));
        EXPECT_EQ(path, QStringLiteral("/"));
    }
    Script script(QStringLiteral("FilePath"), modal::Answer{0, {}});
    EXPECT_FALSE(dialog.ShowPath(path));
    EXPECT_TRUE(path.isEmpty());
}

TEST(FileDialogFont, SizeAndHeightConvertWithHalvesToEven) {
    EXPECT_EQ(filedialog::fontHeight(10.5, 96), 14);
    EXPECT_DOUBLE_EQ(filedialog::fontSize(14, 96), 10.5);
    EXPECT_EQ(filedialog::fontHeight(9.375, 96), 12);  // 12.5
    EXPECT_EQ(filedialog::fontHeight(10.125, 96), 14); // 13.5
    EXPECT_DOUBLE_EQ(filedialog::fontSize(-16, 96), 12.0);

    // Sixteen double-byte characters are 32 bytes: one too many for the face-name field.
    const QString kanji(16, QChar(u'明'));
    EXPECT_EQ(filedialog::faceName(kanji), kanji.left(15));
    EXPECT_EQ(filedialog::faceName(QStringLiteral("x") + kanji.left(15)),
              QStringLiteral("x") + kanji.left(15));
}

TEST(FileDialogFont, ScriptedChoiceIsWrittenBackThroughThePixelHeight) {
    ASSERT_TRUE(haveWidgets());
    FileDialog dialog;
    QFont font(QStringLiteral("Seed"));
    font.setPointSizeF(12);
    font.setWeight(QFont::Bold);
    {
        Script script(QStringLiteral("Font"), modal::Answer{0, {}});
        EXPECT_FALSE(dialog.ShowFont(font));
        const modal::Request& asked = script.requests.at(0);
        EXPECT_EQ(asked.details.value(0), QStringLiteral("Seed"));
        EXPECT_EQ(asked.details.value(2), QStringLiteral("700"));
    }
    EXPECT_EQ(font.family(), QStringLiteral("Seed"));

    Script script(QStringLiteral("Font"),
                  modal::Answer{-1,
                                {QStringLiteral("Chosen"), QStringLiteral("10"),
                                 QStringLiteral("400"), QStringLiteral("1"), QStringLiteral("0"),
                                 QStringLiteral("1"), QStringLiteral("255")}});
    EXPECT_TRUE(dialog.ShowFont(font));
    EXPECT_EQ(font.family(), QStringLiteral("Chosen"));
    EXPECT_FALSE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_FALSE(font.underline());
    // 10 points are 13.33 pixels at 96 dots per inch; the whole pixels give 9.75 points back.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double used = screen ? screen->logicalDotsPerInchY() : 96.0;
    EXPECT_DOUBLE_EQ(font.pointSizeF(),
                     filedialog::fontSize(filedialog::fontHeight(10, used), used));
    EXPECT_EQ(dialog.Color(), 255);
}

TEST(FileDialogColor, CustomColoursAndChoiceFromTheAnswer) {
    FileDialog dialog;
    dialog.SetCustomColor(3, 0x00FF00);
    int32_t color = 0x0000FF;
    {
        Script script(QStringLiteral("Color"), modal::Answer{0, {}});
        EXPECT_FALSE(dialog.ShowColor(color));
        EXPECT_EQ(script.requests.at(0).text, QStringLiteral("255"));
        EXPECT_EQ(script.requests.at(0).details.value(3), QStringLiteral("65280"));
    }
    EXPECT_EQ(color, 0x0000FF);

    QStringList files{QStringLiteral("16711680")};
    for (int i = 0; i < FileDialog::CustomColorCount; ++i)
        files.append(QString::number(i));
    Script script(QStringLiteral("Color"), modal::Answer{-1, files});
    EXPECT_TRUE(dialog.ShowColor(color));
    EXPECT_EQ(color, 0xFF0000);
    EXPECT_EQ(dialog.CustomColor(3), 3);
    EXPECT_EQ(dialog.CustomColor(15), 15);

    EXPECT_EQ(filedialog::rgbOf(filedialog::colorOf(0x123456)), 0x123456);
    EXPECT_EQ(filedialog::colorOf(0x0000FF), QColor(255, 0, 0));
}

TEST(FileDialogPrinter, ResultsComeFromTheReturnedRecordButFlagsStay) {
    FileDialog dialog;
    dialog.SetFlags(PD_NOSELECTION);
    dialog.SetMin(1);
    dialog.SetMax(9);
    Script script(QStringLiteral("Printer"),
                  modal::Answer{-1,
                                {QString::number(PD_PAGENUMS | PD_COLLATE), QStringLiteral("2"),
                                 QStringLiteral("70000")}});
    EXPECT_TRUE(dialog.ShowPrinter());
    EXPECT_EQ(script.requests.at(0).details, QStringList({"0", "0", "1", "9", "0"}));
    EXPECT_EQ(dialog.TargetPage(), PDT_PAGENUMS);
    EXPECT_TRUE(dialog.Collate());
    EXPECT_FALSE(dialog.PrintToFile());
    EXPECT_EQ(dialog.FromPage(), 2);
    EXPECT_EQ(dialog.ToPage(), 65535);
    EXPECT_EQ(dialog.Copies(), 0);
    EXPECT_EQ(dialog.Flags(), PD_NOSELECTION);
}
