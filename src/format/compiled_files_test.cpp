// The byte layouts of the three compiled files, field by field.
#include "format/compiled_files.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

// Bytes written as hexadecimal pairs: "01 02 ff".
std::string bytes(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return out;
}

TEST(ItemFile, EntryIsLaidOutFieldByFieldLittleEndian) {
    std::array<voce, numero_voci> voci{};
    voce& entry = voci[0];
    entry.tipo = 0xA1;
    entry.valore1 = 0x04030201;
    entry.valore2 = -2;
    entry.valore3 = 0x7FFFFFFF;
    entry.stato = 0xB2;
    entry.testo = "ab";
    entry.numero1 = 0x0102;
    entry.numero2 = -1;
    entry.numero3 = -32768;
    entry.numero4 = 0x1234;
    entry.numero5 = 5;
    entry.extra1 = 1;
    entry.extra2 = 2;
    entry.extra3 = 3;
    entry.extra4 = 0xFF;
    entry.valore4 = -35495;

    const std::string file = encode_item_file(voci);
    ASSERT_EQ(file.size(), 87 * item_entry_fixed_bytes + 2);
    EXPECT_EQ(file.substr(0, 36), bytes("a1 01020304 feffffff ffffff7f b2 0200 6162"
                                        "0201 ffff 0080 3412 0500 01 02 03 ff 5975ffff"));
    // The next entry is empty: 34 zero bytes.
    EXPECT_EQ(file.substr(36, 34), std::string(34, '\0'));
}

TEST(ItemFile, SizeIsEightySevenEntriesPlusTheirTexts) {
    std::array<voce, numero_voci> voci{};
    voci[80].testo = "(  Km. ) (18.600)";
    voci[85].testo = "Valdora_Rova";
    const std::string file = encode_item_file(voci);
    EXPECT_EQ(file.size(), 87 * 34 + 17 + 12);
    // Entry 80 starts after 80 empty entries; its length field and text follow at 14.
    const std::size_t entry_80 = std::size_t{80} * 34;
    EXPECT_EQ(file.substr(entry_80 + 14, 2 + 17), bytes("1100") + "(  Km. ) (18.600)");
}

TEST(ItemFile, TextLongerThan65535BytesKeepsItsFirst65535) {
    std::array<voce, numero_voci> voci{};
    voci[0].testo = std::string(65535, 'a') + "bcd";
    voci[0].valore4 = 7;
    const std::string file = encode_item_file(voci);
    EXPECT_EQ(file.size(), 87 * 34 + 65535);
    EXPECT_EQ(file.substr(14, 2), bytes("ffff"));
    EXPECT_EQ(file[16 + 65534], 'a');
    EXPECT_EQ(file.substr(16 + 65535 + 14, 4), bytes("07000000"));
}

TEST(GridFile, CellIsFifteenBytesFieldByFieldLittleEndian) {
    std::vector<cella> celle(3);
    cella& cell = celle[1];
    cell.tipo = 14;
    cell.dato1 = 5121;
    cell.dato2 = 2515;
    cell.dato3 = -3;
    cell.dato4 = 0x7F01;
    cell.extra1 = 1;
    cell.extra2 = 2;
    cell.extra3 = 3;
    cell.extra4 = 4;
    cell.extra5 = 0x96;
    cell.extra6 = 0xFF;
    const std::string file = encode_grid_file(celle);
    ASSERT_EQ(file.size(), 3 * grid_cell_bytes);
    EXPECT_EQ(file.substr(0, 15), std::string(15, '\0'));
    EXPECT_EQ(file.substr(15, 15), bytes("0e 0114 d309 fdff 017f 01 02 03 04 96 ff"));
}

TEST(LineFile, ColumnXThenColumnYEachElementTaggedWithItsKind) {
    profilo_linea plan(4);  // rows 0 to 4
    plan.set_intero(0, 0, 0);
    plan.set_intero(0, 1, 0);
    plan.set_intero(1, 0, -2);
    plan.set_intero(1, 1, 1);
    plan.set_reale(2, 0, 1.5);
    plan.set_reale(2, 1, -0.0002);
    const std::string file = encode_line_file(plan);
    // -0.0002 is 0xBF2A36E2EB1C432D.
    EXPECT_EQ(file, bytes("0200 0000  0200 feff  0500 000000000000f83f  0000  0000"
                          "0200 0000  0200 0100  0500 2d431cebe2362abf  0000  0000"));
}

TEST(LineFile, BuiltinSizedPlanTakes1779964Bytes) {
    // Rows 0 and 1 integers, rows 2 to 88998 reals, the last two empty, in both columns.
    profilo_linea plan(89000);
    for (int colonna = 0; colonna < 2; ++colonna) {
        plan.set_intero(0, colonna, 0);
        plan.set_intero(1, colonna, 0);
        for (std::int32_t riga = 2; riga <= 88998; ++riga) {
            plan.set_reale(riga, colonna, riga);
        }
    }
    const std::string file = encode_line_file(plan);
    EXPECT_EQ(file.size(), 1779964u);
    EXPECT_EQ(file.size(), 2 * (2 * 4 + 10 * (89000 - 3) + 2 * 2));
}

}  // namespace
}  // namespace scenario
