<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>kormix::core</name>
    <message>
        <source>?</source>
        <extracomment>A count or Q of a system not yet set up.</extracomment>
        <translation>?</translation>
    </message>
    <message>
        <source>needs setup</source>
        <translation>nicht eingerichtet</translation>
    </message>
    <message>
        <source>Setup Complete</source>
        <translation>System eingerichtet</translation>
    </message>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>running in turbo mode</source>
        <translation>läuft im Turbomodus</translation>
    </message>
    <message>
        <source>most prob</source>
        <extracomment>In place of the number of distributions when only the most probable one is kept.</extracomment>
        <translation>nur wahrsch.</translation>
    </message>
    <message>
        <source>infinite</source>
        <extracomment>Q when there is no H2 or no D2.</extracomment>
        <translation>unendlich</translation>
    </message>
</context>
<context>
    <name>kormix::ui::About</name>
    <message>
        <source>&lt;h3&gt;Kormix %1&lt;/h3&gt;&lt;p&gt;A teaching simulator of the isotope exchange H2 + D2 = 2 HD: which distribution of a small closed system of molecules is the most probable, and how the reaction quotient Q gets there.&lt;/p&gt;&lt;p&gt;Version %1&lt;br&gt;Licence: GPL-3.0-or-later (GNU General Public License, version 3 or any later version)&lt;br&gt;Qt %2&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Kormix %1&lt;/h3&gt;&lt;p&gt;Ein Lehrprogramm zum Isotopenaustausch H2 + D2 = 2 HD: Welche Verteilung eines kleinen abgeschlossenen Systems von Molekülen ist die wahrscheinlichste, und wie verhält sich der Reaktionsquotient Q auf dem Weg dorthin?&lt;/p&gt;&lt;p&gt;Version %1&lt;br&gt;Lizenz: GPL-3.0-or-later (GNU General Public License, Version 3 oder jede spätere Version)&lt;br&gt;Qt %2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About Kormix</source>
        <translation>Über Kormix</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmBest</name>
    <message>
        <source>Most Probable Distribution Found Yet</source>
        <translation>Wahrscheinlichste Verteilung bisher</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmDisplay</name>
    <message>
        <source>Detailed Display of System</source>
        <translation>Ausführliche Anzeige des Systems</translation>
    </message>
    <message>
        <source>Distributions</source>
        <translation>Verteilungen</translation>
    </message>
    <message>
        <source>title</source>
        <extracomment>The chart&apos;s title before it is set; never seen.</extracomment>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Please Standby</source>
        <translation>Bitte warten</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Theoretical</source>
        <translation>Theoretisch</translation>
    </message>
    <message>
        <source>Actual</source>
        <translation>Tatsächlich</translation>
    </message>
    <message>
        <source>Highest</source>
        <extracomment>Selects the bar of the most probable distribution.</extracomment>
        <translation>Höchste</translation>
    </message>
    <message>
        <source>number of collisions:</source>
        <translation>Anzahl der Stöße:</translation>
    </message>
    <message>
        <source>Excel</source>
        <extracomment>Writes every distribution to a file for a spreadsheet.</extracomment>
        <translation>Excel</translation>
    </message>
    <message>
        <source>done</source>
        <extracomment>Closes the window.</extracomment>
        <translation>fertig</translation>
    </message>
    <message>
        <source>Theoretical Probabilities</source>
        <translation>Theoretische Wahrscheinlichkeiten</translation>
    </message>
    <message>
        <source>W = %1</source>
        <translation>W = %1</translation>
    </message>
    <message>
        <source>%1 H2, %2 HD, %3 D2, %4, Q = %5</source>
        <extracomment>What a screen reader says of the chart: the selected bar&apos;s counts, its W and its Q.</extracomment>
        <translation>%1 H2, %2 HD, %3 D2, %4, Q = %5</translation>
    </message>
    <message>
        <source>Actual Frequencies</source>
        <translation>Tatsächliche Häufigkeiten</translation>
    </message>
    <message>
        <source>Kormix</source>
        <translation>Kormix</translation>
    </message>
    <message>
        <source>File %1 was created</source>
        <translation>Die Datei %1 wurde erstellt</translation>
    </message>
    <message>
        <source>%1 opening %2</source>
        <extracomment>%1 is the system&apos;s description of the error, %2 the file&apos;s path.</extracomment>
        <translation>%1 beim Öffnen von %2</translation>
    </message>
    <message>
        <source>%1 writing %2</source>
        <extracomment>%1 is the system&apos;s description of the error, %2 the file&apos;s path.</extracomment>
        <translation>%1 beim Schreiben von %2</translation>
    </message>
    <message>
        <source>%1 replacing %2</source>
        <extracomment>%1 is the system&apos;s description of the error, %2 the file&apos;s path.</extracomment>
        <translation>%1 beim Ersetzen von %2</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2 is a link, not a directory</source>
        <extracomment>%1 is the file&apos;s path, %2 its directory.</extracomment>
        <translation>%1 kann nicht geschrieben werden: %2 ist ein Link, kein Verzeichnis</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2 is not a directory</source>
        <translation>%1 kann nicht geschrieben werden: %2 ist kein Verzeichnis</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2 belongs to another user</source>
        <translation>%1 kann nicht geschrieben werden: %2 gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2 is open to other users</source>
        <translation>%1 kann nicht geschrieben werden: %2 ist für andere Benutzer zugänglich</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmGuide</name>
    <message>
        <source>Kormix Guide</source>
        <translation>Kormix-Anleitung</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmMain</name>
    <message>
        <source>Kormix 1.2</source>
        <translation>Kormix 1.2</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Setup System</source>
        <translation>System einrichten</translation>
    </message>
    <message>
        <source>Clear</source>
        <extracomment>Clears the system: everything back to the state before any setup.</extracomment>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Start Collisions</source>
        <translation>Stöße starten</translation>
    </message>
    <message>
        <source>Most Probable</source>
        <translation>Wahrscheinlichste</translation>
    </message>
    <message>
        <source>All Distributions</source>
        <translation>Alle Verteilungen</translation>
    </message>
    <message>
        <source>Revise Data</source>
        <translation>Daten ändern</translation>
    </message>
    <message>
        <source>turbo mode</source>
        <translation>Turbomodus</translation>
    </message>
    <message>
        <source>Show Fluctuations</source>
        <translation>Schwankungen zeigen</translation>
    </message>
    <message>
        <source>molecules of H2</source>
        <translation>H2-Moleküle</translation>
    </message>
    <message>
        <source>molecules of D2</source>
        <translation>D2-Moleküle</translation>
    </message>
    <message>
        <source>molecules of HD</source>
        <translation>HD-Moleküle</translation>
    </message>
    <message>
        <source>reaction quotient Q:</source>
        <translation>Reaktionsquotient Q:</translation>
    </message>
    <message>
        <source>atoms of H</source>
        <translation>H-Atome</translation>
    </message>
    <message>
        <source>atoms of D</source>
        <translation>D-Atome</translation>
    </message>
    <message>
        <source>status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>number of distributions:</source>
        <translation>Verteilungen:</translation>
    </message>
    <message>
        <source>number of collisions:</source>
        <translation>Anzahl der Stöße:</translation>
    </message>
    <message>
        <source>most prob from collision #</source>
        <extracomment>Caption of the collision at which the most probable distribution was found.</extracomment>
        <translation>größtes W bei Stoß Nr.</translation>
    </message>
    <message>
        <source>largest logW found:</source>
        <translation>größtes logW bisher:</translation>
    </message>
    <message>
        <source>largest W found:</source>
        <translation>größtes W bisher:</translation>
    </message>
    <message>
        <source>Q of most probable:</source>
        <translation>Q bei größtem W:</translation>
    </message>
    <message>
        <source>ver. 1.2  comments to kormix-team@users.noreply.example</source>
        <translation>Vers. 1.2  Hinweise an kormix-team@users.noreply.example</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Kormix &amp;Guide</source>
        <translation>Kormix-&amp;Anleitung</translation>
    </message>
    <message>
        <source>&amp;About Kormix</source>
        <translation>&amp;Über Kormix</translation>
    </message>
    <message>
        <source>Collision %1</source>
        <extracomment>The most-probable window&apos;s title: the collision it shows.</extracomment>
        <translation>Stoß %1</translation>
    </message>
    <message>
        <source>Kormix</source>
        <translation>Kormix</translation>
    </message>
    <message>
        <source>Hide Most Prob</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Stop Collisions</source>
        <translation>Stöße anhalten</translation>
    </message>
    <message>
        <source>Restart Collisions</source>
        <translation>Stöße fortsetzen</translation>
    </message>
    <message>
        <source>Can&apos;t continue with these data--use Setup</source>
        <translation>Mit diesen Daten geht es nicht weiter – bitte „System einrichten“ verwenden</translation>
    </message>
    <message>
        <source>Stop collisions prior to clearing</source>
        <translation>Vor dem Löschen die Stöße anhalten</translation>
    </message>
    <message>
        <source>No Distributions to show</source>
        <translation>Keine Verteilungen zum Anzeigen</translation>
    </message>
    <message>
        <source>Other distributions were not saved. Choose Setup display option &apos;display all distributions&apos; and restart the collisions if you want to see others.</source>
        <translation>Andere Verteilungen wurden nicht gespeichert. Um sie zu sehen, wählen Sie unter „System einrichten“ die Option „Alle Verteilungen speichern (langsamer)“ und starten Sie die Stöße neu.</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmRevise</name>
    <message>
        <source>Revise Data</source>
        <translation>Daten ändern</translation>
    </message>
    <message>
        <source>Adjust All</source>
        <translation>Alle ändern</translation>
    </message>
    <message>
        <source>Adjust One</source>
        <translation>Eine ändern</translation>
    </message>
    <message>
        <source>Q =</source>
        <translation>Q =</translation>
    </message>
    <message>
        <source>Equilibrate</source>
        <translation>Äquilibrieren</translation>
    </message>
    <message>
        <source>scale</source>
        <extracomment>Caption of the zoom pictures, which double or halve the columns&apos; height.</extracomment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>levels</source>
        <translation>Säulen</translation>
    </message>
    <message>
        <source>zoom in</source>
        <translation>vergrößern</translation>
    </message>
    <message>
        <source>Space doubles the height of the columns</source>
        <translation>Die Leertaste verdoppelt die Höhe der Säulen</translation>
    </message>
    <message>
        <source>zoom out</source>
        <translation>verkleinern</translation>
    </message>
    <message>
        <source>Space halves the height of the columns</source>
        <translation>Die Leertaste halbiert die Höhe der Säulen</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmSetup</name>
    <message>
        <source>System Setup</source>
        <translation>System einrichten</translation>
    </message>
    <message>
        <source>particle options</source>
        <translation>Teilchen</translation>
    </message>
    <message>
        <source>by molecules</source>
        <translation>als Moleküle</translation>
    </message>
    <message>
        <source>by atoms</source>
        <translation>als Atome</translation>
    </message>
    <message>
        <source>molecules of H2</source>
        <translation>H2-Moleküle</translation>
    </message>
    <message>
        <source>molecules of D2</source>
        <translation>D2-Moleküle</translation>
    </message>
    <message>
        <source>molecules of HD</source>
        <translation>HD-Moleküle</translation>
    </message>
    <message>
        <source>atoms of H</source>
        <translation>H-Atome</translation>
    </message>
    <message>
        <source>atoms of D</source>
        <translation>D-Atome</translation>
    </message>
    <message>
        <source>save options</source>
        <translation>Speicherung</translation>
    </message>
    <message>
        <source>Save all distributions (slower)</source>
        <translation>Alle Verteilungen speichern (langsamer)</translation>
    </message>
    <message>
        <source>Save only the most probable distribution (faster)</source>
        <translation>Nur die wahrscheinlichste Verteilung speichern (schneller)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kormix::ui::LevelPanel</name>
    <message>
        <source>level columns</source>
        <translation>Säulen der Zusammensetzung</translation>
    </message>
    <message>
        <source>H2</source>
        <translation>H2</translation>
    </message>
    <message>
        <source>HD</source>
        <translation>HD</translation>
    </message>
    <message>
        <source>D2</source>
        <translation>D2</translation>
    </message>
    <message>
        <source>Q =</source>
        <translation>Q =</translation>
    </message>
    <message>
        <source>%1 H2</source>
        <translation>%1 H2</translation>
    </message>
    <message>
        <source>%1 HD (%2%)</source>
        <extracomment>The count of HD molecules and their share of all molecules.</extracomment>
        <translation>%1 HD (%2 %)</translation>
    </message>
    <message>
        <source>%1 D2</source>
        <translation>%1 D2</translation>
    </message>
    <message>
        <source>%1 H2, %2 HD, %3 D2, Q = %4</source>
        <translation>%1 H2, %2 HD, %3 D2, Q = %4</translation>
    </message>
</context>
</TS>
