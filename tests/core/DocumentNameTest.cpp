#include "io/DocumentName.h"

#include <gtest/gtest.h>

using namespace quirel;

TEST(DocumentName, EveryNameEndsInTheDocumentExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        { "/home/ana/carta", "/home/ana/carta.4tf" },
        { "/home/ana/carta.4tf", "/home/ana/carta.4tf" },
        { "/home/ana/CARTA.4TF", "/home/ana/CARTA.4TF" },
        { "/home/ana/carta.4Tf", "/home/ana/carta.4Tf" },
        { "/home/ana/Carta a la Sra. Lopez", "/home/ana/Carta a la Sra. Lopez.4tf" },
        { "/home/ana/notas.txt", "/home/ana/notas.txt.4tf" },
        { "/home/ana/carta.4tf.bak", "/home/ana/carta.4tf.bak.4tf" },
        { "/home/ana/carta.", "/home/ana/carta..4tf" },
        { "/home/v1.2/carta", "/home/v1.2/carta.4tf" }, // a dot in a folder name does not count
        { "carta4tf", "carta4tf.4tf" },
        { "", "" },
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(WithDocumentExtension(name), std::filesystem::path(expected)) << name;
}
