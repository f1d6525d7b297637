#include "schedule/Action.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using namespace pilotune;

TEST(ActionCatalogue, LabelsAndDescriptionsAtTheEdgesOfTheTable) {
    EXPECT_EQ(LibelleAction(ARRETER), "Arrêter l'ordinateur");
    EXPECT_EQ(LibelleAction(RELANCERACTION), "Relancer une action planifier :");
    EXPECT_EQ(LibelleAction(AFFICHECHERCHEURTITRE), "Afficher le chercheur de titre");
    EXPECT_EQ(LibelleAction(32), "");
    EXPECT_EQ(LibelleAction(33), "Le programmeur est un con");
    EXPECT_EQ(LibelleAction(255), "Le programmeur est un con");
    EXPECT_EQ(LibelleAction(-1), "Le programmeur est un con");

    const std::string forgotten = "Merde, j'ai oublié de l'action prendre en compte";
    EXPECT_EQ(DescriptionAction(32), forgotten);
    EXPECT_EQ(DescriptionAction(33), forgotten);
    EXPECT_EQ(DescriptionAction(-5), forgotten);
    EXPECT_EQ(DescriptionAction(ARRETER), "Arrêt de l'ordinateur");
    EXPECT_EQ(DescriptionAction(RECULER), "Titre précedent");
    EXPECT_EQ(DescriptionAction(GENERERFOND), "Génére l'arrière plan");
    EXPECT_EQ(DescriptionAction(AFFICHENEGATIF), "Affiche le temps restant du titre");
}

TEST(ActionCatalogue, OnlyThreeDescriptionsUseTheParameter) {
    EXPECT_EQ(DescriptionAction(EXECUTER, "C:\\Outils\\note.txt"), "Execution de note.txt");
    EXPECT_EQ(DescriptionAction(EXECUTER, "note.txt"), "Execution de note.txt");
    EXPECT_EQ(DescriptionAction(EXECUTER, ""), "Execution de ");
    EXPECT_EQ(DescriptionAction(LECTUREPROGRAMME, "Soirée"), "Lit le programme Soirée");
    EXPECT_EQ(DescriptionAction(RELANCERACTION, "2 - Jouer"), "Relancer l'action 2 - Jouer");
    EXPECT_EQ(DescriptionAction(AVANCER, "C:\\x.txt"), "Titre suivant");
    EXPECT_EQ(DescriptionAction(32, "C:\\x.txt"),
              "Merde, j'ai oublié de l'action prendre en compte");
}

TEST(ActionCatalogue, KeywordsNameEveryActionOnceWhateverTheCase) {
    std::set<std::string_view> seen;
    for (int i = 0; i < kActionCount; ++i) {
        const std::string_view name = NomAction(i);
        ASSERT_FALSE(name.empty()) << i;
        EXPECT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(ActionParNom(name), static_cast<TAction>(i));
    }
    EXPECT_EQ(ActionParNom("jouer"), JOUER);
    EXPECT_EQ(ActionParNom("RelancerAction"), RELANCERACTION);
    EXPECT_EQ(ActionParNom("arien"), ARIEN);
    EXPECT_EQ(ActionParNom(""), std::nullopt);
    EXPECT_EQ(ActionParNom("JOUERR"), std::nullopt);
    EXPECT_EQ(ActionParNom("JOUE"), std::nullopt);
    EXPECT_EQ(ActionParNom("C:\\Outils\\note.txt"), std::nullopt);
    EXPECT_EQ(ActionParNom("ARRÊTER"), std::nullopt);
    EXPECT_EQ(NomAction(33), "");
}

// The usual parameters ("2", " +2abc", "x", "4 - Jouer") go through the
// dispatcher's re-arm tests; here, the edges.
TEST(ActionCatalogue, LeadingNumberOfATextParameter) {
    EXPECT_EQ(LeadingNumber("  -3 - Jouer"), -3);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("+"), 0);
    EXPECT_EQ(LeadingNumber("a2"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingNumber("-99999999999999999999"), INT_MIN);
}
