<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sk_SK">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Jednotka</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Priečinok</translation>
    </message>
</context>
<context>
    <name>QCupsJobWidget</name>
    <message>
        <source>Job</source>
        <translation>Úloha</translation>
    </message>
    <message>
        <source>Job Control</source>
        <translation>Riadenie úlohy</translation>
    </message>
    <message>
        <source>Scheduled printing:</source>
        <translation>Čas tlače:</translation>
    </message>
    <message>
        <source>Print Immediately</source>
        <translation>Tlačiť hneď</translation>
    </message>
    <message>
        <source>Hold Indefinitely</source>
        <translation>Pozdržať na neurčito</translation>
    </message>
    <message>
        <source>Day (06:00 to 17:59)</source>
        <translation>Cez deň (06:00 až 17:59)</translation>
    </message>
    <message>
        <source>Night (18:00 to 05:59)</source>
        <translation>V noci (18:00 až 05:59)</translation>
    </message>
    <message>
        <source>Second Shift (16:00 to 23:59)</source>
        <translation>Druhá zmena (16:00 až 23:59)</translation>
    </message>
    <message>
        <source>Third Shift (00:00 to 07:59)</source>
        <translation>Tretia zmena (00:00 až 07:59)</translation>
    </message>
    <message>
        <source>Weekend (Saturday to Sunday)</source>
        <translation>Cez víkend (sobota až nedeľa)</translation>
    </message>
    <message>
        <source>Specific Time</source>
        <translation>V zadanom čase</translation>
    </message>
    <message>
        <source>Billing information:</source>
        <translation>Údaje na vyúčtovanie:</translation>
    </message>
    <message>
        <source>Job priority:</source>
        <translation>Priorita úlohy:</translation>
    </message>
    <message>
        <source>Banner Pages</source>
        <translation>Oddeľovacie strany</translation>
    </message>
    <message>
        <source>Start:</source>
        <comment>Banner page at start</comment>
        <translation>Na začiatku:</translation>
    </message>
    <message>
        <source>End:</source>
        <comment>Banner page at end</comment>
        <translation>Na konci:</translation>
    </message>
    <message>
        <source>None</source>
        <comment>CUPS Banner page</comment>
        <translation>Žiadna</translation>
    </message>
    <message>
        <source>Standard</source>
        <comment>CUPS Banner page</comment>
        <translation>Štandardná</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <comment>CUPS Banner page</comment>
        <translation>Neutajované</translation>
    </message>
    <message>
        <source>Confidential</source>
        <comment>CUPS Banner page</comment>
        <translation>Dôverné</translation>
    </message>
    <message>
        <source>Classified</source>
        <comment>CUPS Banner page</comment>
        <translation>Vyhradené</translation>
    </message>
    <message>
        <source>Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>Tajné</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>Prísne tajné</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>Page Layout</source>
        <translation>Rozloženie strán</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>Strán na hárok:</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>Poradie strán:</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Vlastná</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Pica (P̸)</source>
        <translation>Pica (P̸)</translation>
    </message>
    <message>
        <source>Didot (DD)</source>
        <translation>Didot (DD)</translation>
    </message>
    <message>
        <source>Cicero (CC)</source>
        <translation>Cicero (CC)</translation>
    </message>
</context>
<context>
    <name>QPageSize</name>
    <message>
        <source>%1 x %2 in</source>
        <translation>%1 × %2 in</translation>
    </message>
    <message>
        <source>A0</source>
        <translation>A0</translation>
    </message>
    <message>
        <source>A1</source>
        <translation>A1</translation>
    </message>
    <message>
        <source>A10</source>
        <translation>A10</translation>
    </message>
    <message>
        <source>A2</source>
        <translation>A2</translation>
    </message>
    <message>
        <source>A3</source>
        <translation>A3</translation>
    </message>
    <message>
        <source>A3 Extra</source>
        <translation>A3 Extra</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A4 Extra</source>
        <translation>A4 Extra</translation>
    </message>
    <message>
        <source>A4 Plus</source>
        <translation>A4 Plus</translation>
    </message>
    <message>
        <source>A4 Small</source>
        <translation>A4 zmenšený</translation>
    </message>
    <message>
        <source>A5</source>
        <translation>A5</translation>
    </message>
    <message>
        <source>A5 Extra</source>
        <translation>A5 Extra</translation>
    </message>
    <message>
        <source>A6</source>
        <translation>A6</translation>
    </message>
    <message>
        <source>A7</source>
        <translation>A7</translation>
    </message>
    <message>
        <source>A8</source>
        <translation>A8</translation>
    </message>
    <message>
        <source>A9</source>
        <translation>A9</translation>
    </message>
    <message>
        <source>ANSI C</source>
        <translation>ANSI C</translation>
    </message>
    <message>
        <source>ANSI D</source>
        <translation>ANSI D</translation>
    </message>
    <message>
        <source>ANSI E</source>
        <translation>ANSI E</translation>
    </message>
    <message>
        <source>Architect A</source>
        <translation>Architektonický A</translation>
    </message>
    <message>
        <source>Architect B</source>
        <translation>Architektonický B</translation>
    </message>
    <message>
        <source>Architect C</source>
        <translation>Architektonický C</translation>
    </message>
    <message>
        <source>Architect D</source>
        <translation>Architektonický D</translation>
    </message>
    <message>
        <source>Architect E</source>
        <translation>Architektonický E</translation>
    </message>
    <message>
        <source>B0</source>
        <translation>B0</translation>
    </message>
    <message>
        <source>B1</source>
        <translation>B1</translation>
    </message>
    <message>
        <source>B10</source>
        <translation>B10</translation>
    </message>
    <message>
        <source>B2</source>
        <translation>B2</translation>
    </message>
    <message>
        <source>B3</source>
        <translation>B3</translation>
    </message>
    <message>
        <source>B4</source>
        <translation>B4</translation>
    </message>
    <message>
        <source>B5</source>
        <translation>B5</translation>
    </message>
    <message>
        <source>B5 Extra</source>
        <translation>B5 Extra</translation>
    </message>
    <message>
        <source>B6</source>
        <translation>B6</translation>
    </message>
    <message>
        <source>B7</source>
        <translation>B7</translation>
    </message>
    <message>
        <source>B8</source>
        <translation>B8</translation>
    </message>
    <message>
        <source>B9</source>
        <translation>B9</translation>
    </message>
    <message>
        <source>Double Postcard</source>
        <translation>Dvojitá pohľadnica</translation>
    </message>
    <message>
        <source>Envelope B4</source>
        <translation>Obálka B4</translation>
    </message>
    <message>
        <source>Envelope B5</source>
        <translation>Obálka B5</translation>
    </message>
    <message>
        <source>Envelope B6</source>
        <translation>Obálka B6</translation>
    </message>
    <message>
        <source>Envelope C0</source>
        <translation>Obálka C0</translation>
    </message>
    <message>
        <source>Envelope C1</source>
        <translation>Obálka C1</translation>
    </message>
    <message>
        <source>Envelope C2</source>
        <translation>Obálka C2</translation>
    </message>
    <message>
        <source>Envelope C3</source>
        <translation>Obálka C3</translation>
    </message>
    <message>
        <source>Envelope C4</source>
        <translation>Obálka C4</translation>
    </message>
    <message>
        <source>Envelope C5</source>
        <translation>Obálka C5</translation>
    </message>
    <message>
        <source>Envelope C6</source>
        <translation>Obálka C6</translation>
    </message>
    <message>
        <source>Envelope C65</source>
        <translation>Obálka C65</translation>
    </message>
    <message>
        <source>Envelope C7</source>
        <translation>Obálka C7</translation>
    </message>
    <message>
        <source>Envelope Chou 3</source>
        <translation>Obálka Chou 3</translation>
    </message>
    <message>
        <source>Envelope Chou 4</source>
        <translation>Obálka Chou 4</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <translation>Obálka DL</translation>
    </message>
    <message>
        <source>Envelope Invite</source>
        <translation>Obálka pozvánková</translation>
    </message>
    <message>
        <source>Envelope Italian</source>
        <translation>Obálka talianska</translation>
    </message>
    <message>
        <source>Envelope Kaku 2</source>
        <translation>Obálka Kaku 2</translation>
    </message>
    <message>
        <source>Envelope Kaku 3</source>
        <translation>Obálka Kaku 3</translation>
    </message>
    <message>
        <source>Envelope Monarch</source>
        <translation>Obálka Monarch</translation>
    </message>
    <message>
        <source>Envelope PRC 1</source>
        <translation>Obálka PRC 1</translation>
    </message>
    <message>
        <source>Envelope PRC 10</source>
        <translation>Obálka PRC 10</translation>
    </message>
    <message>
        <source>Envelope PRC 2</source>
        <translation>Obálka PRC 2</translation>
    </message>
    <message>
        <source>Envelope PRC 3</source>
        <translation>Obálka PRC 3</translation>
    </message>
    <message>
        <source>Envelope PRC 4</source>
        <translation>Obálka PRC 4</translation>
    </message>
    <message>
        <source>Envelope PRC 5</source>
        <translation>Obálka PRC 5</translation>
    </message>
    <message>
        <source>Envelope PRC 6</source>
        <translation>Obálka PRC 6</translation>
    </message>
    <message>
        <source>Envelope PRC 7</source>
        <translation>Obálka PRC 7</translation>
    </message>
    <message>
        <source>Envelope PRC 8</source>
        <translation>Obálka PRC 8</translation>
    </message>
    <message>
        <source>Envelope PRC 9</source>
        <translation>Obálka PRC 9</translation>
    </message>
    <message>
        <source>Envelope Personal</source>
        <translation>Obálka Personal</translation>
    </message>
    <message>
        <source>Envelope US 10</source>
        <translation>Obálka US 10</translation>
    </message>
    <message>
        <source>Envelope US 11</source>
        <translation>Obálka US 11</translation>
    </message>
    <message>
        <source>Envelope US 12</source>
        <translation>Obálka US 12</translation>
    </message>
    <message>
        <source>Envelope US 14</source>
        <translation>Obálka US 14</translation>
    </message>
    <message>
        <source>Envelope US 9</source>
        <translation>Obálka US 9</translation>
    </message>
    <message>
        <source>Executive (7.25 x 10.5 in)</source>
        <translation>Executive (7,25 × 10,5 in)</translation>
    </message>
    <message>
        <source>Executive (7.5 x 10 in)</source>
        <translation>Executive (7,5 × 10 in)</translation>
    </message>
    <message>
        <source>Fan-fold German (8.5 x 12 in)</source>
        <translation>Skladaný nemecký (8,5 × 12 in)</translation>
    </message>
    <message>
        <source>Fan-fold German Legal (8.5 x 13 in)</source>
        <translation>Skladaný nemecký Legal (8,5 × 13 in)</translation>
    </message>
    <message>
        <source>Fan-fold US (14.875 x 11 in)</source>
        <translation>Skladaný US (14,875 × 11 in)</translation>
    </message>
    <message>
        <source>Folio (8.27 x 13 in)</source>
        <translation>Folio (8,27 × 13 in)</translation>
    </message>
    <message>
        <source>JIS B0</source>
        <translation>JIS B0</translation>
    </message>
    <message>
        <source>JIS B1</source>
        <translation>JIS B1</translation>
    </message>
    <message>
        <source>JIS B10</source>
        <translation>JIS B10</translation>
    </message>
    <message>
        <source>JIS B2</source>
        <translation>JIS B2</translation>
    </message>
    <message>
        <source>JIS B3</source>
        <translation>JIS B3</translation>
    </message>
    <message>
        <source>JIS B4</source>
        <translation>JIS B4</translation>
    </message>
    <message>
        <source>JIS B5</source>
        <translation>JIS B5</translation>
    </message>
    <message>
        <source>JIS B6</source>
        <translation>JIS B6</translation>
    </message>
    <message>
        <source>JIS B7</source>
        <translation>JIS B7</translation>
    </message>
    <message>
        <source>JIS B8</source>
        <translation>JIS B8</translation>
    </message>
    <message>
        <source>JIS B9</source>
        <translation>JIS B9</translation>
    </message>
    <message>
        <source>Ledger / ANSI B</source>
        <translation>Ledger / ANSI B</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>Legal</translation>
    </message>
    <message>
        <source>Legal Extra</source>
        <translation>Legal Extra</translation>
    </message>
    <message>
        <source>Letter / ANSI A</source>
        <translation>Letter / ANSI A</translation>
    </message>
    <message>
        <source>Letter Extra</source>
        <translation>Letter Extra</translation>
    </message>
    <message>
        <source>Letter Plus</source>
        <translation>Letter Plus</translation>
    </message>
    <message>
        <source>Letter Small</source>
        <translation>Letter zmenšený</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note (poznámkový)</translation>
    </message>
    <message>
        <source>PRC 16K</source>
        <translation>PRC 16K</translation>
    </message>
    <message>
        <source>PRC 32K</source>
        <translation>PRC 32K</translation>
    </message>
    <message>
        <source>PRC 32K Big</source>
        <translation>PRC 32K veľký</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>Pohľadnica</translation>
    </message>
    <message>
        <source>Quarto</source>
        <translation>Quarto</translation>
    </message>
    <message>
        <source>Statement</source>
        <translation>Statement (výpis)</translation>
    </message>
    <message>
        <source>Super A</source>
        <translation>Super A</translation>
    </message>
    <message>
        <source>Super B</source>
        <translation>Super B</translation>
    </message>
    <message>
        <source>Tabloid / ANSI B</source>
        <translation>Tabloid / ANSI B</translation>
    </message>
    <message>
        <source>Tabloid Extra</source>
        <translation>Tabloid Extra</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>1 (1x1)</source>
        <translation>1 (1 × 1)</translation>
    </message>
    <message>
        <source>2 (2x1)</source>
        <translation>2 (2 × 1)</translation>
    </message>
    <message>
        <source>4 (2x2)</source>
        <translation>4 (2 × 2)</translation>
    </message>
    <message>
        <source>6 (2x3)</source>
        <translation>6 (2 × 3)</translation>
    </message>
    <message>
        <source>9 (3x3)</source>
        <translation>9 (3 × 3)</translation>
    </message>
    <message>
        <source>16 (4x4)</source>
        <translation>16 (4 × 4)</translation>
    </message>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>Zľava doprava, zhora nadol</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>Zľava doprava, zdola nahor</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>Sprava doľava, zdola nahor</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>Sprava doľava, zhora nadol</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>Zdola nahor, zľava doprava</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>Zdola nahor, sprava doľava</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>Zhora nadol, zľava doprava</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>Zhora nadol, sprava doľava</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Všetky strany</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>Nepárne strany</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>Párne strany</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Nesprávne zadané strany</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 nie je zapísané správne. Strany a rozsahy oddeľte čiarkou „,“, rozsah zapíšte pomlčkou „-“ a dbajte, aby sa rozsahy neprekrývali.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Rozpor v nastavení obojstrannej tlače</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Nastavenia obojstrannej tlače si odporujú. Chcete ich opraviť?</translation>
    </message>
    <message>
        <source>Options 'Pages Per Sheet' and 'Page Set' cannot be used together.
Please turn one of those options off.</source>
        <translation>Možnosti „Strán na hárok“ a „Výber strán“ sa nedajú použiť spolu.
Jednu z nich, prosím, vypnite.</translation>
    </message>
    <message>
        <source>File %1 is not writable.
Please choose a different file name.</source>
        <translation>Súbor %1 sa nedá zapísať.
Vyberte, prosím, iný názov súboru.</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>Vlastnosti tlačiarne</translation>
    </message>
    <message>
        <source>Job Options</source>
        <translation>Možnosti úlohy</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Rozpor v nastavení strany</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Nastavenia strany si odporujú. Chcete ich opraviť?</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Rozpor v rozšírených možnostiach</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Niektoré rozšírené možnosti si odporujú. Chcete ich opraviť?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Rozšírené</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Niektoré možnosti si odporujú. Opravte ich, prosím.</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Double Sided Printing</source>
        <translation>Obojstranná tlač</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Vypnutá</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Väzba na dlhšej strane</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Väzba na kratšej strane</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Strany</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>Výber strán:</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Zadajte strany alebo rozsahy strán oddelené čiarkami. Rozsah sú dve čísla spojené pomlčkou. Napr. 3,5-7,9 vytlačí strany 3, 5, 6, 7 a 9.</translation>
    </message>
</context>
</TS>
