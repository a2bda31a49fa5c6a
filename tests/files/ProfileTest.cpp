#include <gtest/gtest.h>

#include "files/Profile.h"

using lindor::files::Profile;

TEST(ProfileReading, MatchesSectionsAndKeysWithoutRegardToCase) {
    const Profile p = Profile::parse("[Options]\nShowAxis=0\n[FONT]\nname=Serif\n");
    EXPECT_FALSE(p.readFlag("options", "SHOWAXIS", true));
    EXPECT_EQ(p.readString("Font", "Name", "?"), "Serif");
    EXPECT_TRUE(p.hasSection("font"));
    EXPECT_FALSE(p.hasKey("Font", "Size"));
}

TEST(ProfileReading, TrimsBlanksAndOnePairOfQuotes) {
    const Profile p = Profile::parse("[ S ]\n  a  =  spaced out \t\nb=\"  kept  \"\n"
                                     "c=\"\"twice\"\"\nd=\"open\ne=\n");
    EXPECT_EQ(p.readString("S", "a", ""), "spaced out");
    EXPECT_EQ(p.readString("S", "b", ""), "  kept  ");
    EXPECT_EQ(p.readString("S", "c", ""), "\"twice\"");
    EXPECT_EQ(p.readString("S", "d", ""), "\"open");
    // A key that is present with an empty value is empty, not the default.
    EXPECT_EQ(p.readString("S", "e", "default"), "");
}

TEST(ProfileReading, SemicolonsEqualsAndCommasAreText) {
    const Profile p = Profile::parse("[S]\nk=a;b = c, d ; e\n; k=comment\n# k=other\n");
    EXPECT_EQ(p.readString("S", "k", ""), "a;b = c, d ; e");
}

TEST(ProfileReading, FirstSectionAndFirstKeyWin) {
    const Profile p = Profile::parse("[S]\nk=1\nK=2\n[s]\nk=3\nonly=4\n");
    EXPECT_EQ(p.readInteger("S", "k", 0), 1);
    EXPECT_EQ(p.readInteger("S", "only", 0), 0);
}

TEST(ProfileReading, LinesOutsideSectionsAndJunkAreIgnored) {
    const Profile p = Profile::parse("k=0\nnot a key\n[S\n=nokey\n[S]\nk=5\n");
    EXPECT_EQ(p.readInteger("S", "k", -1), 5);
    EXPECT_EQ(p.sectionCount(), 1u);
}

TEST(ProfileReading, ValuesAreCutAt2047BytesOnACharacterBoundary) {
    const std::string longValue(3000, 'a');
    Profile p = Profile::parse("[S]\nk=" + longValue + "\n");
    EXPECT_EQ(p.readString("S", "k", "").size(), Profile::kMaxValueLength);

    // "ä" is two bytes; 2046 ASCII bytes and then "ä" would straddle the limit.
    const std::string straddling = std::string(2046, 'a') + "\xC3\xA4" + "tail";
    p = Profile::parse("[S]\nk=" + straddling + "\n");
    EXPECT_EQ(p.readString("S", "k", ""), std::string(2046, 'a'));
}

TEST(ProfileReading, IntegersAreDecimalOrHexadecimalElseTheDefault) {
    const Profile p = Profile::parse("[N]\ndec=42\nneg=-7\nhex=0x1F\nHEX=0XfF\nbare=0x\n"
                                     "word=ten\nmixed=12abc\nfraction=1.5\nhuge=99999999999\n"
                                     "twicehex=0x0x5\nhexsign=0x-5\nallbits=0xFFFFFFFF\n"
                                     "blank=\n");
    EXPECT_EQ(p.readInteger("N", "dec", 0), 42);
    EXPECT_EQ(p.readInteger("N", "neg", 0), -7);
    EXPECT_EQ(p.readInteger("N", "hex", 0), 31);
    EXPECT_EQ(p.readInteger("N", "HEX", 0), 31); // the first of "hex"/"HEX" counts
    EXPECT_EQ(p.readInteger("N", "bare", 99), 99);
    EXPECT_EQ(p.readInteger("N", "word", 99), 99);
    EXPECT_EQ(p.readInteger("N", "mixed", 99), 99);
    EXPECT_EQ(p.readInteger("N", "fraction", 99), 99);
    EXPECT_EQ(p.readInteger("N", "huge", 99), 99);
    EXPECT_EQ(p.readInteger("N", "twicehex", 99), 99);
    EXPECT_EQ(p.readInteger("N", "hexsign", 99), 99);
    EXPECT_EQ(p.readInteger("N", "allbits", 99), -1);
    EXPECT_EQ(p.readInteger("N", "blank", 99), 99);
    EXPECT_EQ(p.readInteger("N", "missing", 99), 99);
}

TEST(ProfileReading, FlagsAreNonZeroIntegers) {
    const Profile p = Profile::parse("[F]\none=1\nzero=0\ntwo=2\nyes=yes\n");
    EXPECT_TRUE(p.readFlag("F", "one", false));
    EXPECT_FALSE(p.readFlag("F", "zero", true));
    EXPECT_TRUE(p.readFlag("F", "two", false));
    EXPECT_TRUE(p.readFlag("F", "yes", true)); // not an integer: the default
    EXPECT_FALSE(p.readFlag("F", "yes", false));
}

TEST(ProfileWriting, ReplacesInPlaceAndKeepsEveryOtherLine) {
    const std::string text = "; my settings\n[Options]\n; the language\nLanguage=English\n"
                             "Extra=keep me\n\n[Other]\nk=v\n";
    Profile p = Profile::parse(text);
    p.writeString("options", "LANGUAGE", "Swedish");
    EXPECT_EQ(p.toText(), "; my settings\n[Options]\n; the language\nLANGUAGE=Swedish\n"
                          "Extra=keep me\n\n[Other]\nk=v\n");
}

TEST(ProfileWriting, NewKeyEndsItsSectionAndNewSectionEndsTheFile) {
    Profile p = Profile::parse("[A]\na=1\n\n; about B\n[B]\nb=2\n");
    p.writeInteger("A", "second", 2);
    p.writeFlag("C", "flag", true);
    EXPECT_EQ(p.toText(), "[A]\na=1\nsecond=2\n\n; about B\n[B]\nb=2\n[C]\nflag=1\n");
}

TEST(ProfileWriting, WrittenValuesReadBackUnchanged) {
    Profile p;
    const std::string values[] = {"x", "  padded  ", "\"quoted\"", "a;b=c,d",
                                  "",  "\"half",     "tab\tin"};
    int n = 0;
    for (const std::string& v : values)
        p.writeString("S", "k" + std::to_string(n++), v);
    const Profile back = Profile::parse(p.toText());
    n = 0;
    for (const std::string& v : values)
        EXPECT_EQ(back.readString("S", "k" + std::to_string(n++), "?"), v);
}

TEST(ProfileWriting, LineBreaksInAValueCannotAddKeys) {
    Profile p;
    p.writeString("S", "text", "x\n[Evil]\nk=1\r\nz");
    const Profile back = Profile::parse(p.toText());
    EXPECT_FALSE(back.hasSection("Evil"));
    EXPECT_EQ(back.readString("S", "text", ""), "x [Evil] k=1  z");
}

TEST(ProfileForeignFiles, WindowsEditorWithByteOrderMarkAndCrlf) {
    const std::string text = "\xEF\xBB\xBF[Options]\r\nShowGrid=0\r\n[Font]\r\nName=Arial\r\n";
    Profile p = Profile::parse(text);
    EXPECT_FALSE(p.readFlag("Options", "ShowGrid", true));
    EXPECT_EQ(p.readString("Font", "Name", ""), "Arial");
    // Written back in the same style: the mark and CRLF are kept.
    p.writeInteger("Font", "Size", 12);
    EXPECT_EQ(p.toText(),
              "\xEF\xBB\xBF[Options]\r\nShowGrid=0\r\n[Font]\r\nName=Arial\r\nSize=12\r\n");
}

TEST(ProfileForeignFiles, LastLineWithoutLineEnd) {
    Profile p = Profile::parse("[S]\nk=1\nlast=2");
    EXPECT_EQ(p.readInteger("S", "last", 0), 2);
    p.writeInteger("S", "new", 3);
    EXPECT_EQ(p.toText(), "[S]\nk=1\nlast=2\nnew=3\n");
}
