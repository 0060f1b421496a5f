#include "HelpTopics.h"

namespace guidance {

const QList<HelpTopic> &helpTopics()
{
    static const QList<HelpTopic> topics{
        {QStringLiteral("Elektronický manuál"),
         QStringLiteral("Elektronický manuál"),
         QStringLiteral("Každý modul skupiny programů Tessera obsahuje podrobný manuál v elektronické podobě. Tento manuál obsahuje rady, návody a tipy pro práci s vybraným modulem. Spustíte ho pomocí ikony, která je zobrazena v nástrojové liště, nebo pomocí nabídky menu > Nápověda > Elektronický manuál."),
         QString()},
        {QStringLiteral("Export dat do jiných programů"),
         QStringLiteral("Export dat do jiných programů"),
         QStringLiteral("Pokud budete chtít exportovat data z Ordex 2000 do jiných programů, stačí zkopírovat soubory DBF z adresáře DATA.Tyto soubory pak můžete otevřít v libovolném programu, který dokáže pracovat se soubory DBF (např. FoxPro, Visual FoxPro, Excel ...)."),
         QStringLiteral("Soubory DBF mají názvy : VazonS (Standardní databáze) a Vazon1 - 3 (podle čísla volitelné databáze)")},
        {QStringLiteral("Nabídka \"Zobrazit\""),
         QStringLiteral("Nabídka zobrazit"),
         QStringLiteral("Pomocí této nabídky máte možnost schovat nebo zobrazit jakoukoliv nástrojovou lištu. Pokud budou všechny lišty schovány, získáte tak větší pracovní plochu pro zobrazení jednotlivých databází."),
         QStringLiteral("Pokud používáte pouze jednu z možností ovládání programu (menu, nástrojové lišty nebo panel outlook), můžete schovat ostatní ovládací prvky.")},
        {QStringLiteral("Obnovení *.INI souboru"),
         QStringLiteral("Obnovení *.INI souboru"),
         QStringLiteral("Byl-li program nekorektně ukončen, nebo se chová nestandardně, použijte tuto možnost. Dojde k obnovení informací uložených v souboru INI, to znamená, že budou zobrazeny veškeré ovládací prvky a dojde k uzavření všech databází."),
         QString()},
        {QStringLiteral("Otevření databáze"),
         QStringLiteral("Otevření databáze"),
         QStringLiteral("Program umožňuje otevřít čtyři nezávislé databáze. Tyto databáze otevřete pomocí nabídky menu Soubor > Otevřít databázi. Zobrazí se dialogové okno se seznamem databází. Pokud je některý název databáze přeškrtnut červenou čarou, tak je tato databáze již otevřena, nebo (v případě volitelné databáze) ještě nebyla vytvořena."),
         QStringLiteral("Pokud je název databáze přeškrtnut a tato databáze existuje a není ještě otevřena, použijte nabídku menu Nástroje > Obnovit nastavení v *.IŃI souboru.")},
        {QStringLiteral("Práce s databází"),
         QStringLiteral("Práce s databází"),
         QStringLiteral("Pro práci s jednotlivými databázemi slouží nabídka Úpravy v menu, nebo nástrojové lišty. S aktuální databází je možné provádět následující úkony : Přidání/odebrání záznamu, editace a uložení záznamu, stornování změn, vyhledávání záznamů a pohyb po položkách databáze"),
         QStringLiteral("Pokud provedete jakoukoliv úpravu v databázi, tak ji můžete ještě před uložením stornovat tlačítkem zpět.")},
        {QStringLiteral("Tisk a náhled"),
         QStringLiteral("Tisk a náhled"),
         QStringLiteral("Jednou z hlavních funkcí programu je možnost tisku jednotlivých sestav. Tyto sestavy jsou tříděny podle funkcí, například tisk popisek, abecedních seznamů ... Pokud zvolíte náhled sestavy a poté ji budete chtít vytisknout, můžete použít tlačítko se symbolem tiskárny, které je umístěno v horní části náhledového okna."),
         QString()},
        {QStringLiteral("Volitelná databáze"),
         QStringLiteral("Volitelná databáze"),
         QStringLiteral("Program umožňuje vytvoření tří volitelných databází. To znamená, že máte možnost pojmenovat si tyto databáze libovolným názvem. Pokud chcete některou z libovolných databází vytvořit, přejmenovat nebo zrušit, použijte nabídku menu Soubor > Volitelná databáze."),
         QStringLiteral("Pokud některou z databází zrušíte, dojde také k vymazání všech dat.")},
        {QStringLiteral("Vyhledávání dat"),
         QStringLiteral("Vyhledávání dat"),
         QStringLiteral("Vzhledem k rozsáhlé struktuře jednotlivých databází je vyhledávání určitých záznamů řešeno pomocnou databází. To znamená, že se potřebná data převedou do pomocné databáze a vyhledávání se děje v této databázi. Po nalezení požadovaného záznamu se tento zobrazí již v původní databázi."),
         QStringLiteral("Pokud jste neprováděli žádné změny v databázi, nebo jste nevyhledávali v databázi jiné, není nutné vytvářet opět pomocnou databázi.")},
        {QStringLiteral("Vyjmout, kopírovat a vložit"),
         QStringLiteral("Vyjmout, kopírovat a vložit"),
         QStringLiteral("Tyto příkazy jsou přístupné pouze, je-li databáze editována (je vkládán nový záznam nebo je upravován záznam stávající) a platí pouze pro tyto údaje : název knihy, autor, ilustrace, vydavatel, tisk a poznámka, takto získané informace můžete libovolně přenášet mezi všemi databázemi"),
         QString()},
        {QStringLiteral("Výběr druhu knihy pro tiskové sestavy"),
         QStringLiteral("Výběr druhu knihy pro tiskové sestavy"),
         QStringLiteral("Pokud budete chtít vytisknout abecední nebo číselný seznam knih pouze pro určitý druh, použijte nabídku menu Nástroje > Výběr druhu knihy pro tiskové sestavy. "),
         QString()},
        {QStringLiteral("Výpůjční karta"),
         QStringLiteral("Výpůjční kata"),
         QStringLiteral("Pomocí výpůjčních karet můžete sledovat u jednotlivých knih, zda a komu byla kniha zapůjčena a kdy. Tato nabídku zobrazíte kliknutím na nápis půjčeno, který je umístěn v pravém dolním rohu databázového okna."),
         QStringLiteral("Je-li nápis červený, znamená to, že kniha byla zapůjčena.")},
        {QStringLiteral("Zrušení Standardní databáze"),
         QStringLiteral("Zrušení Standardní databáze"),
         QStringLiteral("Program umožňuje vymazat veškerá data obsažená ve Standardní databázi. Tato operace je nevratná a vyvoláte jí pomocí nabídky menu Nástroje > Vymazat Standardní databázi. Tato procedura se doporučuje v případě, že jste databázi pouze zkušebně naplnili a nyní chcete použít ostrá data. Původní soubory vymazané i zrušené volitelné databáze zůstávají zachovány ve složce Data\\Zachovane programu; zpět je vrátí příkaz ordex-dbf kept."),
         QString()},
    };
    return topics;
}

QString topicListTitle()
{
    return QStringLiteral("Seznam témat nápovědy");
}

} // namespace guidance
