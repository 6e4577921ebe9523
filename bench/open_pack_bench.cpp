// Opening a pack whose 25 slots are all occupied in the real editor window, on Qt's offscreen
// platform: the Open button is clicked, a scripted chooser answers with the file's path, and the
// editor reads the pack and fills its list. Reading the file and decoding its pictures without
// any window is the yardstick, which shows what the list and its thumbnails add.
// Run: build/release/bench/snapfold_open_pack_bench
#include "bench/bench_folder.h"
#include "bench/ratio_reporter.h"
#include "editor/editor_dlg.h"
#include "pack/pack_file.h"
#include "pack/pack_image.h"
#include "pack/picture_codec.h"
#include "res/resource.h"
#include "ui/dc.h"
#include "ui/qt/widget.h"
#include "ui/ui_services.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

namespace {

// Every slot has an identifier, so every row gets a thumbnail of its own.
PackImage FullPack() {
    PackImage pack;
    std::mt19937 random(11);
    for (auto& b : pack) {
        b = static_cast<std::uint8_t>(random());
    }
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        SetContactId(pack, slot, 1000 + slot);
    }
    return pack;
}

class PackOnDisk {
public:
    PackOnDisk() {
        m_path = m_folder.File("full.bin");
        if (!SavePackFile(m_path, FullPack())) {
            std::fprintf(stderr, "cannot write %s\n", m_path.c_str());
            std::exit(1);
        }
    }
    const std::string& Path() const { return m_path; }

private:
    BenchFolder m_folder;
    std::string m_path;
};

// Answers every file chooser with the same path and keeps quiet about everything else.
class AlwaysChoose final : public UiServices {
public:
    explicit AlwaysChoose(std::string path) : m_path(std::move(path)) {
        m_previous = SetUiServices(this);
    }
    ~AlwaysChoose() override { SetUiServices(m_previous); }

    std::optional<FileChoice> ChooseFileAndFilter(CWnd*, FileChooserMode,
                                                  const std::string&) override {
        return FileChoice{m_path, 0};
    }
    void ShowMessage(CWnd*, const std::string& text, const std::string&, MessageIcon) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    }
    int Ask(CWnd*, const Question& question) override {
        std::fprintf(stderr, "unexpected question: %s\n", question.text.c_str());
        return question.escapeButton;
    }

private:
    std::string m_path;
    UiServices* m_previous = nullptr;
};

// Runs the benchmark loop inside the editor window's modal loop, as a user's clicks would be.
// With measure, the pack is opened once first and measure is what each round times instead.
template <class AfterClick>
void OpenInEditor(benchmark::State& state, AfterClick afterClick,
                  const std::function<void(CEditorDlg&)>& measure = {}) {
    const PackOnDisk file;
    const AlwaysChoose chooser(file.Path());
    CEditorDlg dialog;
    QTimer::singleShot(0, [&] {
        auto* open = qobject_cast<QAbstractButton*>(WidgetOf(dialog.GetDlgItem(IDC_OPEN_PACK)));
        auto* list = qobject_cast<QTableWidget*>(WidgetOf(dialog.GetDlgItem(IDC_CONTACT_LIST)));
        if (measure) {
            open->click();
        }
        for (auto _ : state) {
            if (measure) {
                measure(dialog);
                continue;
            }
            open->click();
            afterClick();
        }
        if (list->rowCount() != PACK_SLOT_COUNT || !g_packLoaded) {
            state.SkipWithError("the pack did not fill the list");
        }
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
}

void OpenPackAndFillList(benchmark::State& state) {
    OpenInEditor(state, [] {});
}

// The same, until the window has painted what changed.
void OpenPackFillAndPaint(benchmark::State& state) {
    OpenInEditor(state, [] {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    });
}

// With the full pack open, the All Slots window is opened, painted and closed again.
void OpenAllSlots(benchmark::State& state) {
    OpenInEditor(
        state, [] {},
        [](CEditorDlg& dialog) {
            // The window ends its own nested loop once it has painted, as a user's Escape would.
            QTimer::singleShot(0, [] {
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents();
                if (auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    window->reject();
                }
            });
            dialog.SendCommand(IDM_SHOW_ALL_SLOTS);
        });
}

void ReadAndDecodePack(benchmark::State& state) {
    const PackOnDisk file;
    PackImage pack{};
    CDC dc;
    for (auto _ : state) {
        UniqueFile in = OpenPackFile(file.Path());
        if (in == nullptr || ReadPackImage(in.get(), pack) != PACK_FILE_SIZE) {
            state.SkipWithError("cannot read the pack");
            break;
        }
        for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
            auto bitmap = PictureToBitmap(GetPicture(pack, slot), &dc);
            benchmark::DoNotOptimize(bitmap.get());
        }
    }
}

// Qt hands some of its image work to a pool of threads, so the processor time counted is the
// whole process's.
BENCHMARK(OpenPackAndFillList)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
BENCHMARK(OpenPackFillAndPaint)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
BENCHMARK(OpenAllSlots)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
BENCHMARK(ReadAndDecodePack)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // The editor window needs no screen to be measured.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        {{"open + fill of a full pack", "OpenPackAndFillList/process_time", "ReadAndDecodePack",
          "reading and decoding it without a window"},
         {"open + fill + paint", "OpenPackFillAndPaint/process_time", "ReadAndDecodePack",
          "reading and decoding it without a window"},
         {"opening All Slots on the full pack", "OpenAllSlots/process_time",
          "OpenPackFillAndPaint/process_time", "opening and showing the pack (goal: 2x)"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
