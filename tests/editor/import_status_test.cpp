// Import Image says what the face search found, in a line under the picture that assistive
// technology reads out; "Find face" gives the reason when faces cannot be looked for at all;
// and Reset puts every control, and the remembered choices, back to the defaults.

#include "editor/editor_dlg.h"
#include "editor/import_image/face_status.h"
#include "faces/face_finder.h"
#include "res/resource.h"
#include "tests/support/cli_runner.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

QWidget* Find(QWidget* dialog, int id) {
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    ADD_FAILURE() << "no control " << id;
    return nullptr;
}
template <class T> T* FindAs(QWidget* dialog, int id) {
    return qobject_cast<T*>(Find(dialog, id));
}

void Click(QWidget* dialog, int id) {
    QWidget* control = Find(dialog, id);
    ASSERT_NE(control, nullptr);
    // A check box takes a click on its box, a push button anywhere.
    const QPoint at = qobject_cast<QCheckBox*>(control) != nullptr
                          ? QPoint(6, control->height() / 2)
                          : control->rect().center();
    QTest::mouseClick(control, Qt::LeftButton, {}, at);
}

// What assistive technology reads of a control: its name and its description.
QString Spoken(QWidget* control, QAccessible::Text text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face == nullptr ? QString() : face->text(text);
}

// The greys of the result at actual size, as the screen shows them.
QImage Result(QWidget* dialog) {
    return Find(dialog, IDC_RESULT_ACTUAL)->grab().toImage();
}

// Moves the frame to the left with the keyboard, as a user does.
void MoveFrame(QWidget* dialog) {
    QWidget* crop = Find(dialog, IDC_CROP_VIEW);
    crop->setFocus();
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(crop, Qt::Key_Left, Qt::ShiftModifier);
    }
}

class ImportStatus : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        const QImage portrait(SNAPFOLD_TEST_DATA "/astronaut.jpg");
        ASSERT_FALSE(portrait.isNull());
        Save(portrait, "face.png");
        // The portrait twice, side by side: two faces.
        QImage pair(portrait.width() * 2, portrait.height(), QImage::Format_RGB32);
        QPainter painter(&pair);
        painter.drawImage(0, 0, portrait);
        painter.drawImage(portrait.width(), 0, portrait);
        painter.end();
        Save(pair, "pair.png");
        QImage sky(200, 120, QImage::Format_RGB32);
        sky.fill(qRgb(120, 170, 230));
        Save(sky, "sky.png");
    }

    void Save(const QImage& image, const std::string& name) {
        ASSERT_TRUE(image.save(QString::fromStdString(dir.File(name))));
    }

    // Imports the named file into slot 0 with Ctrl+I and runs inspect in the dialog, which
    // inspect must close; gives the slot's bytes afterwards.
    Bytes Import(const std::string& name, const std::function<void(QWidget*)>& inspect) {
        return ImportIntoFirstSlot(*editor, ui, dir.File(name), inspect);
    }

    // snapfold set's bytes for the named file with its defaults and the options given.
    Bytes SnapfoldBytes(const std::string& name, std::vector<std::string> options = {}) {
        WriteWholeFile(dir.File("pack.bin"), Bytes(PACK_FILE_SIZE, 0));
        std::vector<std::string> args{"set", "pack.bin", "1", "--picture", name};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = RunCli(SNAPFOLD_CLI, dir.Path(), args, "");
        EXPECT_EQ(run.status, 0) << run.err;
        const Bytes pack = ReadWholeFile(dir.File("pack.bin"));
        return Bytes(pack.begin() + ID_TABLE_BYTES, pack.begin() + ID_TABLE_BYTES + PICTURE_BYTES);
    }

    TempDir dir;
    ScriptedUi ui;
    std::unique_ptr<CEditorDlg> editor = std::make_unique<CEditorDlg>();
};

struct StatusCase {
    std::string name;
    std::string file;
    // What the user does before the line is read.
    std::function<void(QWidget*)> act;
    QString line;
};

const std::vector<StatusCase> kStatusCases{
    {"OneFace", "face.png", {}, "Face found"},
    {"TwoFaces", "pair.png", {}, "2 faces found: framing the largest"},
    {"NoFace", "sky.png", {}, "No face found: framed on the centre"},
    {"FindFaceTurnedOff", "face.png", [](QWidget* d) { Click(d, IDC_FIND_FACE); },
     "Framed on the centre"},
    {"FindFaceOffAndOn", "pair.png",
     [](QWidget* d) {
         Click(d, IDC_FIND_FACE);
         Click(d, IDC_FIND_FACE);
     },
     "2 faces found: framing the largest"},
    {"FrameMovedOffTheFaces", "pair.png", MoveFrame, "2 faces found"},
    {"FrameMovedWithFindFaceOff", "face.png",
     [](QWidget* d) {
         Click(d, IDC_FIND_FACE);
         MoveFrame(d);
     },
     "Framed by hand"},
    {"FrameMovedWithoutAFace", "sky.png", MoveFrame, "No face found"},
};

TEST_F(ImportStatus, TheLineUnderThePictureSaysWhatWasFoundAndIsReadOut) {
    for (const StatusCase& c : kStatusCases) {
        SCOPED_TRACE(c.name);
        editor = std::make_unique<CEditorDlg>();
        QString shown;
        QString spoken;
        bool underThePicture = false;
        Import(c.file, [&](QWidget* d) {
            if (c.act) {
                c.act(d);
            }
            QLabel* line = FindAs<QLabel>(d, IDC_FACE_STATUS);
            ASSERT_NE(line, nullptr);
            shown = line->text();
            spoken = Spoken(line, QAccessible::Name);
            const QRect picture = Find(d, IDC_CROP_VIEW)->geometry();
            underThePicture = line->isVisible() && line->y() >= picture.bottom() &&
                              line->x() == picture.x() && line->width() >= picture.width() / 2;
            QTest::keyClick(d, Qt::Key_Escape);
        });
        EXPECT_EQ(shown.toStdString(), c.line.toStdString());
        EXPECT_EQ(spoken.toStdString(), c.line.toStdString());
        EXPECT_TRUE(underThePicture);
    }
}

struct UnavailableCase {
    std::string name;
    FaceSearch search;
    // What the reason names.
    std::string culprit;
};

const std::vector<UnavailableCase> kUnavailable{
    {"ModuleMissing", {"libsnapfold-missing.so", kFaceCascadePath}, "libsnapfold-missing.so"},
    {"CascadesMissing", {kFaceModuleName, "/nonexistent/cascades"}, "/nonexistent/cascades"},
};

TEST_F(ImportStatus, FaceFindingThatIsNotAvailableSaysSoWithItsReason) {
    for (const UnavailableCase& c : kUnavailable) {
        SCOPED_TRACE(c.name);
        editor = std::make_unique<CEditorDlg>();
        editor->SetFaceSearch(c.search);
        QString line;
        QString lineTip;
        QString boxTip;
        QString boxDescription;
        bool boxEnabled = true;
        const Bytes stored = Import("face.png", [&](QWidget* d) {
            QLabel* status = FindAs<QLabel>(d, IDC_FACE_STATUS);
            QCheckBox* box = FindAs<QCheckBox>(d, IDC_FIND_FACE);
            ASSERT_TRUE(status != nullptr && box != nullptr);
            line = status->text();
            lineTip = status->toolTip();
            boxTip = box->toolTip();
            boxDescription = Spoken(box, QAccessible::Description);
            boxEnabled = box->isEnabled();
            QTest::keyClick(d, Qt::Key_Return);
        });
        const QString reason = "Face finding is not available: ";
        EXPECT_EQ(line, "Face finding is not available");
        EXPECT_TRUE(boxTip.startsWith(reason)) << boxTip.toStdString();
        EXPECT_TRUE(boxTip.contains(QString::fromStdString(c.culprit))) << boxTip.toStdString();
        EXPECT_EQ(lineTip, boxTip);
        EXPECT_EQ(boxDescription, boxTip);
        EXPECT_FALSE(boxEnabled);
        // Framed on the centre, as snapfold frames a picture it cannot search.
        EXPECT_EQ(stored, SnapfoldBytes("face.png", {"--frame", "centre"}));
    }
}

// Every control moved away from its default, the frame included.
void ChangeEverything(QWidget* d) {
    FindAs<QSlider>(d, IDC_BRIGHTNESS)->setValue(30);
    FindAs<QSlider>(d, IDC_CONTRAST)->setValue(-20);
    FindAs<QSlider>(d, IDC_GAMMA)->setValue(160);
    FindAs<QSlider>(d, IDC_SHARPEN)->setValue(50);
    Click(d, IDC_AUTO_LEVELS);
    Click(d, IDC_INVERT);
    FindAs<QComboBox>(d, IDC_DITHERING)->setCurrentIndex(0);
    Click(d, IDC_FIND_FACE);
    MoveFrame(d);
}

// What each control shows, in words, to compare one dialog with another.
std::vector<QString> Controls(QWidget* d) {
    std::vector<QString> shown;
    for (int id : {IDC_BRIGHTNESS, IDC_CONTRAST, IDC_GAMMA, IDC_SHARPEN}) {
        shown.push_back(QString::number(FindAs<QSlider>(d, id)->value()));
    }
    for (int id : {IDC_BRIGHTNESS_VALUE, IDC_CONTRAST_VALUE, IDC_GAMMA_VALUE, IDC_SHARPEN_VALUE,
                   IDC_FACE_STATUS}) {
        shown.push_back(FindAs<QLabel>(d, id)->text());
    }
    for (int id : {IDC_AUTO_LEVELS, IDC_INVERT, IDC_FIND_FACE}) {
        shown.push_back(FindAs<QCheckBox>(d, id)->isChecked() ? "on" : "off");
    }
    shown.push_back(FindAs<QComboBox>(d, IDC_DITHERING)->currentText());
    return shown;
}

TEST_F(ImportStatus, ResetPutsEveryControlBackAndStoresWhatSnapfoldStoresByDefault) {
    std::vector<QString> first;
    std::vector<QString> changed;
    std::vector<QString> reset;
    QImage firstResult;
    QImage resetResult;
    const Bytes stored = Import("face.png", [&](QWidget* d) {
        first = Controls(d);
        firstResult = Result(d);
        ChangeEverything(d);
        changed = Controls(d);
        Click(d, IDC_IMPORT_RESET);
        reset = Controls(d);
        resetResult = Result(d);
        // Enter would press Reset again, which has the focus now.
        Click(d, IDOK);
    });
    const std::vector<QString> defaults{"0", "0",          "100", "0",   "0",  "0",        "1.00",
                                        "0", "Face found", "on",  "off", "on", "Optimised"};
    EXPECT_EQ(first, defaults);
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        EXPECT_NE(changed[i], defaults[i]) << "control " << i << " was not changed";
    }
    EXPECT_EQ(reset, defaults);
    EXPECT_EQ(resetResult, firstResult);
    EXPECT_EQ(stored, SnapfoldBytes("face.png"));
}

TEST_F(ImportStatus, ChoicesAreRememberedUntilResetEvenWhenThenCancelled) {
    Import("face.png", [](QWidget* d) {
        ChangeEverything(d);
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_NE(editor->GetImportSettings(), ImportSettings{});
    std::vector<QString> remembered;
    Import("face.png", [&](QWidget* d) {
        remembered = Controls(d);
        Click(d, IDC_IMPORT_RESET);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(remembered[0], "30");
    EXPECT_EQ(remembered.back(), "None");
    EXPECT_EQ(editor->GetImportSettings(), ImportSettings{});
    std::vector<QString> next;
    Import("face.png", [&](QWidget* d) {
        next = Controls(d);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(next[0], "0");
    EXPECT_EQ(next.back(), "Optimised");
    EXPECT_EQ(next[11], "on") << "Find face";
}

struct TextCase {
    std::string name;
    FaceStatus status;
    std::string text;
};

// The words for every state, those the photos above do not reach among them.
const std::vector<TextCase> kTexts{
    {"Unavailable", {0, true, true, false}, "Face finding is not available"},
    {"UnavailableMoved", {0, true, false, true}, "Face finding is not available"},
    {"NoFace", {0, false, true, false}, "No face found: framed on the centre"},
    {"NoFaceRememberedOff", {0, false, false, false}, "Framed on the centre"},
    {"OneFace", {1, false, true, false}, "Face found"},
    {"OneFaceMoved", {1, false, true, true}, "Face found"},
    {"ElevenFaces", {11, false, true, false}, "11 faces found: framing the largest"},
    {"ElevenFacesMoved", {11, false, true, true}, "11 faces found"},
    {"Off", {3, false, false, false}, "Framed on the centre"},
    {"OffMoved", {3, false, false, true}, "Framed by hand"},
};

TEST(FaceStatusText, SaysWhatWasFoundAndClaimsNoSearchWhileOff) {
    for (const TextCase& c : kTexts) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FaceStatusText(c.status), c.text);
    }
}

} // namespace
