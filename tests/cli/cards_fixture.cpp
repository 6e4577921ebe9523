#include "tests/cli/cards_fixture.h"

#include "tests/contacts/vcard_samples.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The cards as each exporter writes them, one card each.
constexpr const char* kBook =
    "BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=85sa =\nBerg\n"
    "PHOTO;ENCODING=BASE64;JPEG:{JPEG|two}\n\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:Bo Ek\nPHOTO;ENCODING=B;TYPE=JPEG:{JPEG|space}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nN:Katt;Cilla;;;\nitem1.PHOTO;ENCODING=b,b;TYPE=PNG,png;"
    "X-ABCROP-RECTANGLE=ABClipRect_1&20&0&30&37&aGFzaA==:{PNG|space}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:Dan\nPHOTO;TYPE=PNG;ENCODING=b:{JPEG}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:4.0\nFN:Eva\\, Jr.\nPHOTO:data:image/png;base64\\,{PNG}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:Linus\nPHOTO;VALUE=uri:https://example.org/l.jpg\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:Nils\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:Anna\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:anna\nPHOTO;ENCODING=b:{PNG}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:Cut\nPHOTO;ENCODING=b:{JPEG|cut}\nEND:VCARD\n";

} // namespace

void WriteAddressBook(const TempDir& dir) {
    const std::string book = WriteVCard(kBook, LineEnds::CrLf);
    WriteWholeFile(dir.File("book.vcf"), Bytes(book.begin(), book.end()));
    WriteWholeFile(dir.File("face.jpg"), TestPhoto("card_face.jpg"));
    WriteWholeFile(dir.File("cat.png"), TestPhoto("card_cat.png"));
    ASSERT_EQ(Snapfold(dir, {"new", "empty.bin"}).status, 0);
}

CliRun Snapfold(const TempDir& dir, const std::vector<std::string>& args) {
    return RunCli(SNAPFOLD_CLI, dir.Path(), args, "");
}

Bytes PackAfterSet(const TempDir& dir, const std::vector<std::string>& pictureArgs) {
    std::filesystem::copy_file(dir.File("empty.bin"), dir.File("made.bin"),
                               std::filesystem::copy_options::overwrite_existing);
    std::vector<std::string> args = {"set", "made.bin", "1", "--id", "7"};
    args.insert(args.end(), pictureArgs.begin(), pictureArgs.end());
    const CliRun run = Snapfold(dir, args);
    EXPECT_EQ(run.status, 0) << run.err;
    return ReadWholeFile(dir.File("made.bin"));
}
