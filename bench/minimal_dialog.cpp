// The yardstick for the editor's start-up time and memory: a bare Qt dialog with a few buttons,
// the editor's font and the editor window's size, and nothing else. Run by bench/startup.sh.
#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPushButton>

int main(int argc, char** argv) {
    // Like the editor, Qt is given no command-line options.
    char* programOnly[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    int programArgc = argc > 0 ? 1 : 0;
    QApplication application(programArgc, programOnly);

    QDialog dialog;
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    dialog.setFont(font);
    dialog.setWindowTitle(QStringLiteral("Minimal dialog"));

    // 320 by 193 dialog units, as the editor window: a quarter of the average character width
    // across and an eighth of the character height down.
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int unitX = (alphabet / 26 + 1) / 2;
    const int unitY = metrics.height();
    dialog.setFixedSize((320 * unitX + 2) / 4, (193 * unitY + 4) / 8);

    int x = 10;
    for (const char* caption : {"New", "Open", "Save"}) {
        auto* button = new QPushButton(QString::fromLatin1(caption), &dialog);
        button->setGeometry(x, 10, 100, 29);
        x += 112;
    }
    return dialog.exec();
}
