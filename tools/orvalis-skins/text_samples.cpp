#include "orvalis-skins/text_samples.h"

#include "orvalis-skins/drawing.h"

#include <algorithm>
#include <cmath>

namespace orvalis::skins {

namespace {

const QColor Black(0, 0, 0);

void AddHeader(std::vector<TTextSample>& s) {
    s.push_back(
        {{91, 6, 460, 22}, design::TitleShadow, TTextRole::Shadow, 19, false, true, "Orvalis 2.0 release 2"});
    s.push_back({{90, 5, 460, 22}, design::Title, TTextRole::Body, 19, false, true, "Orvalis 2.0 release 2"});
    s.push_back({{90, 25, 460, 15},
                 design::Title,
                 TTextRole::Body,
                 11,
                 false,
                 true,
                 "Gezond worden en gezond blijven met de natuur"});
}

// A heading pair: the shadow one pixel right of and below the orange title.
void AddHeading(std::vector<TTextSample>& s, TRect r, std::string_view text) {
    s.push_back({{r.Left + 1, r.Top + 1, r.Width, r.Height},
                 design::HeaderShadow,
                 TTextRole::Shadow,
                 13,
                 true,
                 true,
                 text});
    s.push_back({r, design::Header, TTextRole::Heading, 13, true, true, text});
}

void AddBody(std::vector<TTextSample>& s, TRect r, std::string_view text, bool bold = false) {
    s.push_back({r, Black, TTextRole::Body, 11, bold, false, text});
}

void AddFace(std::vector<TTextSample>& s, TRect r, std::string_view text) {
    s.push_back({r, Black, TTextRole::Face, 11, false, true, text});
}

constexpr std::string_view Sample =
    "Vitamine C is een wateroplosbare vitamine die het lichaam niet zelf kan maken. Je vindt haar vooral "
    "in vers fruit en groente, zoals citrusvruchten, paprika en kiwi. Een tekort geeft vermoeidheid en "
    "een tragere wondgenezing.\n\nWat kunt u zelf doen? Eet elke dag twee stuks fruit en 250 gram "
    "groente. Houdt de klacht aan, raadpleeg dan uw huisarts.";

constexpr std::string_view Titles =
    "1 Eerste hulp\nAcne\nAllergie\nBloedarmoede\nBlaasontsteking\nBuikpijn\nDiarree\nDuizeligheid\n"
    "Eczeem\nGriep\nHaaruitval\nHoofdpijn\nHoesten\nKeelpijn\nMaagzuur";

} // namespace

std::vector<TTextSample> TextSamples(const TStem& stem) {
    std::vector<TTextSample> s;
    const std::string_view n = stem.Name;
    switch (stem.Area) {
    case TArea::Header:
        AddHeader(s);
        break;
    case TArea::IntroPage:
        AddBody(s, {27, 31, 143, 16}, "Orvalis", true);
        AddBody(s, {27, 94, 143, 16}, "Doe de Orvakwis!", true);
        AddBody(s, {27, 156, 143, 16}, "Ben ik te zwaar?", true);
        AddBody(s, {27, 224, 143, 16}, "Disclaimer", true);
        AddBody(s, {212, 30, 396, 20}, "Disclaimer", true);
        AddBody(s, {212, 52, 396, 300},
                "De informatie in Orvalis is algemeen van aard en vervangt geen advies van een arts. "
                "Twijfelt u, of houden klachten aan, neem dan contact op met uw huisarts.\n\nOrvalis "
                "beschrijft wat u zelf kunt doen om gezond te worden en gezond te blijven: met voeding, "
                "kruiden en een verstandige leefstijl.");
        break;
    case TArea::MainRight:
        AddHeading(s, {11, 0, 400, 22}, n == "h_r" ? "Verwijzingen naar: vitamine C" : "Vitamine C");
        AddBody(s, {13, 30, 396, 300}, Sample);
        AddFace(s, {11, 362, 85, 18}, "Informatie");
        AddFace(s, {96, 362, 85, 18}, "Extra informatie");
        AddFace(s, {181, 362, 85, 18}, "Recept");
        AddFace(s, {268, 362, 70, 18}, "Klembord");
        AddFace(s, {341, 362, 70, 18}, "Afdrukken");
        break;
    case TArea::ButtonStrip:
        if (n == "m_b") {
            AddBody(s, {14, 21, 60, 18}, "A & R");
            AddBody(s, {91, 21, 144, 18}, "Voedingsstoffen Algemeen");
            AddBody(s, {251, 21, 144, 18}, "Voedingsstoffen Specifiek");
            AddBody(s, {412, 21, 61, 18}, "Zoeken");
            AddBody(s, {562, 21, 63, 18}, "Hoofdmenu");
        } else if (n == "m_b2") {
            AddBody(s, {562, 21, 63, 18}, "Hoofdmenu");
        } else {
            AddBody(s, {562, 21, 62, 18}, "A & R");
        }
        break;
    case TArea::LeftColumn:
        if (n == "m_l1") {
            AddHeading(s, {15, 0, 198, 22}, "Aandoeningen & Remedies");
            AddBody(s, {20, 30, 168, 240}, Titles);
            AddBody(s, {15, 296, 198, 66},
                    "A  B  C  D  E  F  G  H  I\nJ  K  L  M  N  O  P  Q\nR  S  T  U  V  W  X  Y  Z");
        } else if (n == "m_l2") {
            AddHeading(s, {15, 0, 198, 22}, "Zoeken");
            AddBody(s, {15, 28, 198, 14}, "Trefwoorden:");
            AddBody(s, {15, 68, 198, 60},
                    "Vul hierboven één of meerdere trefwoorden in en druk op Enter om het zoeken te starten. "
                    "Het resultaat wordt in onderstaande lijst geplaatst.");
            AddBody(s, {20, 135, 170, 190},
                    "Citrusvruchten\nFruit\nGriep\nVerkoudheid\nVitamine C\nWondgenezing");
            s.push_back({{15, 327, 198, 30},
                         Black,
                         TTextRole::Body,
                         11,
                         false,
                         true,
                         "Gevonden onder 6 onderwerpen"});
        } else {
            AddHeading(s, {15, 0, 198, 22}, "Verwijzingen");
            AddBody(s, {15, 28, 198, 25}, "Verwijzingen binnen Orvalis", true);
            AddBody(s, {20, 60, 170, 126}, "Citrusvruchten\nGriep\nVitamine C\nWondgenezing");
            AddBody(s, {15, 193, 198, 25}, "Verwijzingen in het Quorindex", true);
            AddBody(s, {20, 225, 170, 126}, "Antioxidant\nScheurbuik");
        }
        break;
    case TArea::QuizPage:
        AddHeading(s, {15, 0, 610, 22}, "Orvakwis");
        AddBody(s, {40, 35, 560, 40}, "Vraag 3: In welk voedingsmiddel zit de meeste vitamine C?", true);
        AddBody(s, {60, 92, 540, 36}, "Witte rijst");
        AddBody(s, {60, 132, 540, 36}, "Rode paprika");
        AddBody(s, {60, 172, 540, 36}, "Volle melk");
        AddBody(s, {40, 200, 560, 100},
                "Goed! Rode paprika bevat per 100 gram meer vitamine C dan een sinaasappel. Rijst en melk "
                "bevatten nauwelijks vitamine C.");
        AddFace(s, {40, 310, 120, 18}, "Klaar");
        AddFace(s, {480, 310, 120, 18}, "Volgende Vraag");
        break;
    case TArea::BmiPage:
        AddHeading(s, {15, 0, 610, 22}, "Body Mass Index (BMI) Test");
        AddBody(
            s, {35, 40, 120, 90},
            "Vul hieronder je lengte en je gewicht in, druk vervolgens op de knop \"Bereken BMI\" om jouw "
            "persoonlijke BMI te berekenen");
        AddBody(s, {35, 150, 120, 14}, "Lengte (cm)");
        AddBody(s, {35, 195, 120, 14}, "Gewicht (kg)");
        AddFace(s, {35, 255, 120, 18}, "Bereken BMI");
        AddBody(s, {182, 42, 396, 296},
                "Uw BMI is 23\n\nUw gewicht is gezond. Blijf gevarieerd eten en elke dag een halfuur "
                "bewegen, dan houdt u het zo.");
        break;
    }
    return s;
}

double ContrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace orvalis::skins
