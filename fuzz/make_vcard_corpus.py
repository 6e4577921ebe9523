#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_vcard and fuzz_manifest: one address book for each exporter's
way of writing photos, and manifests with quotes, a header and a fourth field.

The photos are the small test photos in tests/data (card_face.jpg, card_cat.png). Run from
anywhere; the files go to corpus/vcard/ and corpus/manifest/ beside this script.
"""
import base64
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
DATA = HERE.parent / "tests" / "data"
JPEG = base64.b64encode((DATA / "card_face.jpg").read_bytes()).decode()
PNG = base64.b64encode((DATA / "card_cat.png").read_bytes()).decode()


def fold(text, width, indent):
    return ("\n" + indent).join(text[i:i + width] for i in range(0, len(text), width))


def card(*lines, crlf=False):
    text = "BEGIN:VCARD\n" + "\n".join(lines) + "\nEND:VCARD\n"
    return (text.replace("\n", "\r\n") if crlf else text).encode()


SEEDS = {
    "vcard/android21.vcf": card(
        "VERSION:2.1", "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Berg;=C3=85sa;;;",
        "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=85sa =", "Berg",
        "PHOTO;ENCODING=BASE64;JPEG:", "  " + fold(JPEG, 76, "  "), "", crlf=True),
    "vcard/android21_bare.vcf": card(
        "VERSION:2.1", "FN;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=93=63=92=86",
        "PHOTO;ENCODING=BASE64;JPEG:" + fold(JPEG, 76, ""), ""),
    "vcard/android30.vcf": card("VERSION:3.0", "FN:Bo Ek",
                                "PHOTO;ENCODING=B;TYPE=JPEG:" + fold(JPEG, 75, " ")),
    "vcard/apple.vcf": card(
        "VERSION:3.0", "N:Katt;Cilla;;;",
        "item1.PHOTO;ENCODING=b,b;TYPE=JPEG,jpeg;X-ABCROP-RECTANGLE=ABClipRect_1&4&8&40&44&aA==:"
        + fold(JPEG, 75, " "), crlf=True),
    "vcard/evolution.vcf": card("VERSION:3.0", "FN:Dan", "PHOTO;TYPE=PNG;ENCODING=b:" + JPEG,
                                'X-EVOLUTION-FILE-AS:Dan', 'LOGO;TYPE="X-EVOLUTION-UNKNOWN":x'),
    "vcard/thunderbird.vcf": card("VERSION:4.0", "FN:Eva\\, Jr.",
                                  "PHOTO:data:image/png;base64\\," + PNG),
    "vcard/google.vcf": card("VERSION:3.0", "FN:Linus",
                             "PHOTO;VALUE=uri:https://example.org/l.jpg"),
    "vcard/bom_agent_several.vcf": b"\xef\xbb\xbf" + card(
        "version:2.1", "fn:Boss", "AGENT:", "BEGIN:VCARD", "FN:Assistant", "END:VCARD") + card(
        "VERSION:2.1", "N:Berg\\;;Anna", "PHOTO;ENCODING=b:" + JPEG[:101]),
    "manifest/plain.csv": b"1,5,face.jpg\n# comment\n\n2, -2 ,grey.bmp\r\n",
    "manifest/quoted_header_card.csv":
        b'\xef\xbb\xbfSlot, Id ,IMAGE,card\n"1","5","a,""b"".png"\n2,6,book.vcf,"Eva, Jr."\n'
        b"3,7,book.vcf,9\n4,8,x,y.png\n",
    "manifest/bad.csv": b'1,5,"open\n2,6,fa\x00ce.jpg\n26,1,x\n',
}

for name, data in SEEDS.items():
    path = HERE / "corpus" / name
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
