#include "TipsOfTheDay.h"

QStringList tipsOfTheDay()
{
    return {
        QStringLiteral("Klávesami F5 a F8 se v okně databáze přesunete na první a poslední záznam, "
                       "klávesami F6 a F7 na předchozí a další. Tytéž příkazy najdete v nabídce "
                       "Úpravy > Přejít na."),
        QStringLiteral("Novou knihu zapíšete klávesou Ins nebo příkazem Nový záznam v nabídce "
                       "Úpravy > Přejít na. Začněte evidenčním číslem knihy."),
        QStringLiteral("Zobrazenou knihu začnete upravovat klávesami Ctrl+Ins nebo příkazem "
                       "Editovat záznam v nabídce Úpravy."),
        QStringLiteral("Upravený záznam uložíte klávesou Enter nebo příkazem Uložit záznam. "
                       "Datum poslední aktualizace se přitom nastaví na dnešní den."),
        QStringLiteral("Změny záznamu, které jste ještě neuložili, vrátíte příkazem Zpět v nabídce "
                       "Úpravy nebo v místní nabídce okna databáze."),
        QStringLiteral("Knihu odstraníte klávesami Ctrl+Del nebo příkazem Odstranit záznam v nabídce "
                       "Úpravy. Program se vás předtím zeptá, zda ji chcete opravdu odstranit."),
        QStringLiteral("Knihu vyhledáte klávesami Ctrl+F nebo příkazem Najít... v nabídce Úpravy. "
                       "Hledat můžete podle čísla, názvu, autora, ilustrátora, původního názvu, "
                       "vydavatele nebo podle vypůjčených knih."),
        QStringLiteral("Seznamy knih a autorů vytisknete klávesami Ctrl+P nebo příkazem Tisk... "
                       "v nabídce Soubor. Příkaz Náhled... je nejprve zobrazí na obrazovce."),
        QStringLiteral("V nabídce Nástroje > Výběr druhu knihy pro tiskové sestavy zvolíte žánr, "
                       "jehož knihy se vytisknou v seznamech knih. Volba Všechny druhy vytiskne "
                       "celou databázi."),
        QStringLiteral("Kromě Standardní databáze si můžete založit až tři vlastní databáze. "
                       "Vytvoříte, přejmenujete a zrušíte je příkazem Volitelná databáze... "
                       "v nabídce Soubor (Ctrl+N)."),
        QStringLiteral("Databázi otevřete klávesami Ctrl+O nebo příkazem Otevřít databázi... "
                       "v nabídce Soubor. Otevřít můžete všechny čtyři databáze najednou, "
                       "každou v jejím vlastním okně."),
        QStringLiteral("Klepnutím na nápis Půjčeno v okně databáze otevřete výpůjční kartu knihy "
                       "a zapíšete do ní, kdo si knihu půjčil. Červený nápis Půjčeno značí "
                       "zapůjčenou knihu."),
        QStringLiteral("Které knihy máte půjčené, zjistíte příkazem Najít... (Ctrl+F) a volbou "
                       "Vyhledávání podle vypůjčené knihy."),
        QStringLiteral("Příkaz Kaskáda v nabídce Okno uspořádá otevřená okna databází přes sebe. "
                       "Příkazy Dlaždice vodorovně a Dlaždice svisle je rozloží vedle sebe "
                       "nebo nad sebe."),
        QStringLiteral("Příkaz Minimalizovat vše v nabídce Okno zmenší všechna okna databází "
                       "na ikony. Příkaz Uspořádat ikony je pak úhledně seřadí."),
        QStringLiteral("Zmizely vám panely nástrojů? Příkazem Obnovit nastavení v *.INI souboru "
                       "v nabídce Nástroje vrátíte původní nastavení. Zvolit jej lze, když není "
                       "aktivní žádné okno databáze."),
        QStringLiteral("Příkaz Vymazat Standardní databázi v nabídce Nástroje odstraní všechny "
                       "knihy Standardní databáze. Volitelných databází se netýká."),
        QStringLiteral("Panely nástrojů, stavový řádek a Panel Outlook skryjete nebo zobrazíte "
                       "v nabídce Zobrazit. Stejné volby nabízí i místní nabídka panelů "
                       "(pravé tlačítko myši)."),
        QStringLiteral("Panel nástrojů můžete myší vytáhnout mimo jeho místo. Plovoucí panel "
                       "zavřete jeho vlastním tlačítkem a znovu jej zobrazíte v nabídce "
                       "Zobrazit > Panely nástrojů."),
        QStringLiteral("Text z polí Název, Autor, Originální název, Ilustrace, Tisk, Vydavatel "
                       "a Poznámka vyjmete (Ctrl+X), zkopírujete (Ctrl+C) a vložíte (Ctrl+V) "
                       "také příkazy nabídky Úpravy."),
        QStringLiteral("Klávesou F1 zobrazíte nápovědu pro Ordex 2000. Podrobný popis programu "
                       "najdete v nabídce Nápověda > Elektronický manuál."),
        QStringLiteral("Tipy dne procházíte tlačítky na panelu Tipy dne. Okno s tipy kdykoli "
                       "znovu otevřete příkazem Zobrazit Tipy dne... v nabídce Nástroje."),
        QStringLiteral("Žánr, vydání a vazbu knihy vyberete ze seznamu, ale můžete je také "
                       "napsat vlastními slovy. Do tiskových sestav podle žánru se ovšem dostanou "
                       "jen žánry ze seznamu."),
        QStringLiteral("Tiskárnu a papír si připravíte příkazem Nastavení tiskárny... v nabídce "
                       "Soubor ještě před tiskem sestav."),
        QStringLiteral("Sestava Abecední seznam autorů vytiskne všechny autory s jejich knihami, "
                       "nebo jen knihy jednoho autora, kterého si vyberete ze seznamu."),
        QStringLiteral("Okno databáze zavřete klávesami Ctrl+F4 nebo příkazem Zavřít v nabídce "
                       "Soubor. Má-li kniha neuložené změny, program se zeptá, zda je uložit."),
        QStringLiteral("Pravým tlačítkem myši v okně databáze otevřete místní nabídku se všemi "
                       "příkazy pro práci se záznamy."),
    };
}
