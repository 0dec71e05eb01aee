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
    <message>
        <source>forward (H2 + D2 -&gt; 2 HD)</source>
        <translation>hin (H2 + D2 -&gt; 2 HD)</translation>
    </message>
    <message>
        <source>reverse (2 HD -&gt; H2 + D2)</source>
        <translation>zurück (2 HD -&gt; H2 + D2)</translation>
    </message>
    <message>
        <source>HD + HD met without reacting</source>
        <translation>HD + HD trafen sich ohne Reaktion</translation>
    </message>
    <message>
        <source>H2 + D2 met without reacting</source>
        <translation>H2 + D2 trafen sich ohne Reaktion</translation>
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
    <name>kormix::ui::CompositionsChart</name>
    <message>
        <source>compositions by HD fraction</source>
        <translation>Zusammensetzungen nach HD-Anteil</translation>
    </message>
    <message>
        <source>The exact probability of every composition as an outline and the share of the run&apos;s collisions spent in it as a filled bar, placed by the composition&apos;s HD fraction (HD molecules / all molecules).</source>
        <translation>Die exakte Wahrscheinlichkeit jeder Zusammensetzung als Umriss und der Anteil der Stöße des Laufs in ihr als gefüllter Balken, nach dem HD-Anteil der Zusammensetzung (HD-Moleküle / alle Moleküle) angeordnet.</translation>
    </message>
    <message>
        <source>logarithmic</source>
        <translation>logarithmisch</translation>
    </message>
    <message>
        <source>Probability axis on a logarithmic scale: shows the compositions far from the most probable one</source>
        <translation>Wahrscheinlichkeitsachse logarithmisch: zeigt die Zusammensetzungen weit weg von der wahrscheinlichsten</translation>
    </message>
    <message>
        <source>observed share of collisions</source>
        <translation>beobachteter Anteil der Stöße</translation>
    </message>
    <message>
        <source>exact probability P</source>
        <translation>exakte Wahrscheinlichkeit P</translation>
    </message>
    <message>
        <source>HD fraction</source>
        <translation>HD-Anteil</translation>
    </message>
    <message>
        <source>probability</source>
        <translation>Wahrscheinlichkeit</translation>
    </message>
    <message>
        <source>%1 compositions with P below 1e-18 of the largest are not shown</source>
        <translation>%1 Zusammensetzungen mit P unter 1e-18 der größten sind nicht gezeigt</translation>
    </message>
    <message>
        <source>each bar stands for %1 neighbouring compositions (their mean)</source>
        <translation>jeder Balken steht für %1 benachbarte Zusammensetzungen (ihr Mittel)</translation>
    </message>
</context>
<context>
    <name>kormix::ui::ConstantChart</name>
    <message>
        <source>K against temperature</source>
        <translation>K über der Temperatur</translation>
    </message>
    <message>
        <source>The equilibrium constant K of real hydrogen from 20 K to 3000 K on a logarithmic temperature axis: 0.137 at 20 K, 3.26 at room temperature, close to the 4 of counting alone when hot. The temperature chosen is marked on the curve.</source>
        <translation>Die Gleichgewichtskonstante K von echtem Wasserstoff von 20 K bis 3000 K auf einer logarithmischen Temperaturachse: 0,137 bei 20 K, 3,26 bei Raumtemperatur, heiß nahe bei der 4 des bloßen Abzählens. Die gewählte Temperatur ist auf der Kurve markiert.</translation>
    </message>
    <message>
        <source>temperature in kelvin</source>
        <translation>Temperatur in Kelvin</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K</translation>
    </message>
    <message>
        <source>K(T) of real hydrogen</source>
        <translation>K(T) von echtem Wasserstoff</translation>
    </message>
    <message>
        <source>chosen: %1 K</source>
        <extracomment>The temperature chosen, as the legend of the K(T) chart names its mark (%1 K: kelvin).</extracomment>
        <translation>gewählt: %1 K</translation>
    </message>
</context>
<context>
    <name>kormix::ui::CourseChart</name>
    <message>
        <source>the run against collisions</source>
        <translation>der Lauf über den Stößen</translation>
    </message>
    <message>
        <source>collisions</source>
        <translation>Stöße</translation>
    </message>
    <message>
        <source>exact mean ± 1 standard deviation</source>
        <translation>exakter Mittelwert ± 1 Standardabweichung</translation>
    </message>
    <message>
        <source>exact mean</source>
        <translation>exakter Mittelwert</translation>
    </message>
    <message>
        <source>expected from the run&apos;s start</source>
        <translation>erwartet vom Start des Laufs</translation>
    </message>
    <message>
        <source>this run</source>
        <translation>dieser Lauf</translation>
    </message>
    <message>
        <source>plot against collisions:</source>
        <translation>Verlauf über den Stößen:</translation>
    </message>
    <message>
        <source>HD fraction</source>
        <translation>HD-Anteil</translation>
    </message>
    <message>
        <source>ln W</source>
        <translation>ln W</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>ln W of the run and its exact mean over the equilibrium, with one standard deviation about it.</source>
        <translation>ln W des Laufs und sein exakter Mittelwert im Gleichgewicht, mit einer Standardabweichung darum.</translation>
    </message>
    <message>
        <source>logarithmic</source>
        <translation>logarithmisch</translation>
    </message>
    <message>
        <source>Collisions axis on a logarithmic scale: shows the approach from the run&apos;s start and the long run in one picture</source>
        <translation>Stoßachse logarithmisch: zeigt die Annäherung vom Start des Laufs und den langen Lauf in einem Bild</translation>
    </message>
    <message>
        <source>K = %1</source>
        <translation>K = %1</translation>
    </message>
    <message>
        <source>Q of the run (left out while there is no H2 or no D2) and the equilibrium constant K it settles about.</source>
        <translation>Q des Laufs (ausgelassen, solange es kein H2 oder kein D2 gibt) und die Gleichgewichtskonstante K, um die es sich einpendelt.</translation>
    </message>
    <message>
        <source>The expected approach is the exact mean HD fraction from the start of the run or of its last change of temperature; it covers the first %1 collisions from there.</source>
        <translation>Die erwartete Annäherung ist der exakte mittlere HD-Anteil vom Start des Laufs oder von seiner letzten Temperaturänderung an; sie reicht über die ersten %1 Stöße von dort.</translation>
    </message>
    <message>
        <source>revision or change of temperature</source>
        <translation>Änderung der Daten oder der Temperatur</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmArrangements</name>
    <message>
        <source>Arrangements</source>
        <translation>Anordnungen</translation>
    </message>
    <message>
        <source>the arrangement chosen</source>
        <translation>die gewählte Anordnung</translation>
    </message>
    <message>
        <source>Save Picture...</source>
        <translation>Bild speichern...</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>&amp;H2</source>
        <translation>&amp;H2</translation>
    </message>
    <message>
        <source>H&amp;D</source>
        <translation>H&amp;D</translation>
    </message>
    <message>
        <source>D&amp;2</source>
        <translation>D&amp;2</translation>
    </message>
    <message>
        <source>The system set up now, in the composition it is in now:</source>
        <translation>Das eingerichtete System, in seiner jetzigen Zusammensetzung:</translation>
    </message>
    <message>
        <source>No system is set up: choose one of up to 6 molecules here.</source>
        <translation>Kein System eingerichtet: Wählen Sie hier eines mit bis zu 6 Molekülen.</translation>
    </message>
    <message>
        <source>The system set up has more than 6 molecules: choose one of up to 6 here.</source>
        <translation>Das eingerichtete System hat mehr als 6 Moleküle: Wählen Sie hier eines mit bis zu 6.</translation>
    </message>
    <message>
        <source>No molecules: choose at least one.</source>
        <translation>Keine Moleküle: Wählen Sie mindestens eines.</translation>
    </message>
    <message>
        <source>%1 molecules of %2 H and %3 D atoms: sum W = %4 = %5 arrangements</source>
        <extracomment>%1 molecules, %2 H atoms, %3 D atoms, %4 the W of each composition added up, %5 their sum.</extracomment>
        <translation>%1 Moleküle aus %2 H- und %3 D-Atomen: Summe W = %4 = %5 Anordnungen</translation>
    </message>
    <message>
        <source>%1: W = %2, P = %3 = %4</source>
        <extracomment>%1 is a composition (&quot;2 H2 + 2 D2&quot;), %2 its W, %3 and %4 its share of all arrangements as a fraction and a decimal.</extracomment>
        <translation>%1: W = %2, P = %3 = %4</translation>
    </message>
    <message>
        <source>%1 (the system is in this composition now)</source>
        <translation>%1 (das System ist jetzt in dieser Zusammensetzung)</translation>
    </message>
    <message>
        <source>%1, arrangement %2 of %3: %4</source>
        <extracomment>%1 is the composition, %2 counts its arrangements up to %3; %4 names the molecules place by place.</extracomment>
        <translation>%1, Anordnung %2 von %3: %4</translation>
    </message>
    <message>
        <source>arrangements by composition</source>
        <translation>Anordnungen nach Zusammensetzung</translation>
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
    <message>
        <source>%1 replacing %2: the file is open in another program (Excel, for example) or read-only, and stays as it was</source>
        <extracomment>Windows refused to put the new file in the old one&apos;s place. %1 is the system&apos;s description of the error, %2 the file&apos;s path.</extracomment>
        <translation>%1 beim Ersetzen von %2: Die Datei ist in einem anderen Programm geöffnet (zum Beispiel in Excel) oder schreibgeschützt und bleibt, wie sie war</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmEquilibrium</name>
    <message>
        <source>Equilibrium</source>
        <translation>Gleichgewicht</translation>
    </message>
    <message>
        <source>last collisions, stepped</source>
        <translation>letzte Stöße, schrittweise</translation>
    </message>
    <message>
        <source>Save Picture...</source>
        <translation>Bild speichern...</translation>
    </message>
    <message>
        <source>Save Data...</source>
        <translation>Daten speichern...</translation>
    </message>
    <message>
        <source>Save Data</source>
        <translation>Daten speichern</translation>
    </message>
    <message>
        <source>Tab-separated text (*.tsv *.txt)</source>
        <translation>Text mit Tabulatoren (*.tsv *.txt)</translation>
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
    <message>
        <source>Kormix %1</source>
        <extracomment>The main window&apos;s title: the program and its version.</extracomment>
        <translation>Kormix %1</translation>
    </message>
    <message>
        <source>ver. %1  comments to kormix-team@users.noreply.example</source>
        <translation>Vers. %1  Hinweise an kormix-team@users.noreply.example</translation>
    </message>
    <message>
        <source>Save &amp;Workbook...</source>
        <translation>&amp;Arbeitsmappe speichern...</translation>
    </message>
    <message>
        <source>Save Workbook</source>
        <translation>Arbeitsmappe speichern</translation>
    </message>
    <message>
        <source>Excel workbooks (*.xlsx)</source>
        <translation>Excel-Arbeitsmappen (*.xlsx)</translation>
    </message>
    <message>
        <source>Distributions</source>
        <extracomment>The name of the workbook&apos;s sheet of distributions (at most 31 characters).</extracomment>
        <translation>Verteilungen</translation>
    </message>
    <message>
        <source>Compositions</source>
        <extracomment>The name of the workbook&apos;s sheet of compositions (at most 31 characters).</extracomment>
        <translation>Zusammensetzungen</translation>
    </message>
    <message>
        <source>Distributions by %HD</source>
        <extracomment>The title of the workbook&apos;s chart.</extracomment>
        <translation>Verteilungen nach %HD</translation>
    </message>
    <message>
        <source>theoretical P</source>
        <translation>theoretisches P</translation>
    </message>
    <message>
        <source>observed frequency</source>
        <translation>beobachtete Häufigkeit</translation>
    </message>
</context>
<context>
    <name>kormix::ui::FrmMolecules</name>
    <message>
        <source>Molecules</source>
        <translation>Moleküle</translation>
    </message>
    <message>
        <source>molecules</source>
        <translation>Moleküle</translation>
    </message>
    <message>
        <source>the collision</source>
        <translation>der Stoß</translation>
    </message>
    <message>
        <source>the two molecules picked</source>
        <translation>die beiden gewählten Moleküle</translation>
    </message>
    <message>
        <source>Save Picture...</source>
        <translation>Bild speichern...</translation>
    </message>
    <message>
        <source>nH2</source>
        <translation>nH2</translation>
    </message>
    <message>
        <source>nHD</source>
        <translation>nHD</translation>
    </message>
    <message>
        <source>nD2</source>
        <translation>nD2</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>%1 of %2 molecules shown, in the same proportions</source>
        <translation>%1 von %2 Molekülen gezeigt, in denselben Anteilen</translation>
    </message>
    <message>
        <source>Step, or run at 100 or 10 a second, to see each collision here.</source>
        <translation>Mit Schritt oder 100 bzw. 10 Stößen je Sekunde erscheint hier jeder Stoß.</translation>
    </message>
    <message>
        <source>They react: the two molecules trade atoms.</source>
        <translation>Sie reagieren: Die beiden Moleküle tauschen Atome.</translation>
    </message>
    <message>
        <source>No reaction: at this temperature H2 + D2 react only when their draw is below K / 4.</source>
        <translation>Keine Reaktion: Bei dieser Temperatur reagieren H2 + D2 nur, wenn ihre Ziehung unter K / 4 liegt.</translation>
    </message>
    <message>
        <source>No reaction: HD + HD react only when their coin is above %1.</source>
        <extracomment>%1 is one half, written with the program&apos;s decimal separator.</extracomment>
        <translation>Keine Reaktion: HD + HD reagieren nur, wenn ihre Münze über %1 liegt.</translation>
    </message>
    <message>
        <source>No reaction: trading atoms would give the same kinds again.</source>
        <translation>Keine Reaktion: Ein Tausch der Atome ergäbe wieder dieselben Sorten.</translation>
    </message>
    <message>
        <source>%1 molecules: %2 H2, %3 HD, %4 D2</source>
        <translation>%1 Moleküle: %2 H2, %3 HD, %4 D2</translation>
    </message>
    <message>
        <source>; %1 of them shown, in the same proportions</source>
        <translation>; %1 davon gezeigt, in denselben Anteilen</translation>
    </message>
    <message>
        <source>; picked: molecule %1 (%2) and molecule %3 (%4), %5</source>
        <extracomment>%1 and %3 are the molecules&apos; numbers, %2 and %4 their kinds, %5 what came of it.</extracomment>
        <translation>; gewählt: Molekül %1 (%2) und Molekül %3 (%4), %5</translation>
    </message>
    <message>
        <source>they react</source>
        <translation>sie reagieren</translation>
    </message>
    <message>
        <source>no reaction</source>
        <translation>keine Reaktion</translation>
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
    <name>kormix::ui::HelpMenu</name>
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
<context>
    <name>kormix::ui::MostProbable</name>
    <message>
        <source>Collision %1</source>
        <extracomment>The most-probable window&apos;s title: the collision it shows.</extracomment>
        <translation>Stoß %1</translation>
    </message>
</context>
<context>
    <name>kormix::ui::ReactionsTable</name>
    <message>
        <source>reactions</source>
        <translation>Reaktionen</translation>
    </message>
    <message>
        <source>count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>recent, per collision</source>
        <translation>zuletzt, je Stoß</translation>
    </message>
    <message>
        <source>expected now</source>
        <translation>erwartet jetzt</translation>
    </message>
    <message>
        <source>at equilibrium</source>
        <translation>im Gleichgewicht</translation>
    </message>
    <message>
        <source>Reactions per collision since the window&apos;s last refresh</source>
        <translation>Reaktionen je Stoß seit der letzten Auffrischung des Fensters</translation>
    </message>
</context>
<context>
    <name>kormix::ui::RunMenu</name>
    <message>
        <source>&amp;Full</source>
        <translation>&amp;Voll</translation>
    </message>
    <message>
        <source>&amp;1,000,000 per second</source>
        <translation>&amp;1.000.000 je Sekunde</translation>
    </message>
    <message>
        <source>1&amp;0,000 per second</source>
        <translation>1&amp;0.000 je Sekunde</translation>
    </message>
    <message>
        <source>100 per &amp;second</source>
        <translation>100 je &amp;Sekunde</translation>
    </message>
    <message>
        <source>10 &amp;per second</source>
        <translation>10 &amp;je Sekunde</translation>
    </message>
    <message>
        <source>a whole number from 0 to 18446744073709551615</source>
        <translation>eine ganze Zahl von 0 bis 18446744073709551615</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>A&amp;blauf</translation>
    </message>
    <message>
        <source>&amp;Step</source>
        <translation>&amp;Schritt</translation>
    </message>
    <message>
        <source>Step &amp;100</source>
        <translation>&amp;100 Schritte</translation>
    </message>
    <message>
        <source>Set See&amp;d...</source>
        <translation>Start&amp;wert setzen...</translation>
    </message>
    <message>
        <source>C&amp;lear Seed</source>
        <translation>Startwert &amp;löschen</translation>
    </message>
    <message>
        <source>S&amp;peed</source>
        <translation>Tem&amp;po</translation>
    </message>
    <message>
        <source>Set Seed</source>
        <translation>Startwert setzen</translation>
    </message>
    <message>
        <source>The seed of this run: %1

Every new system starts from the seed given here, so that the same setup gives the same run.
Seed (%2):</source>
        <translation>Der Startwert dieses Laufs: %1

Jedes neue System beginnt mit dem hier angegebenen Startwert, sodass dieselbe Einrichtung denselben Lauf ergibt.
Startwert (%2):</translation>
    </message>
    <message>
        <source>The seed must be %1.</source>
        <translation>Der Startwert muss %1 sein.</translation>
    </message>
    <message>
        <source>&amp;Temperature...</source>
        <translation>&amp;Temperatur...</translation>
    </message>
</context>
<context>
    <name>kormix::ui::SaveFile</name>
    <message>
        <source>Kormix</source>
        <translation>Kormix</translation>
    </message>
    <message>
        <source>Save Picture</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>The picture could not be written to %1</source>
        <translation>Das Bild konnte nicht nach %1 geschrieben werden</translation>
    </message>
</context>
<context>
    <name>kormix::ui::StepText</name>
    <message>
        <source>they reacted to 2 HD</source>
        <translation>sie reagierten zu 2 HD</translation>
    </message>
    <message>
        <source>they reacted to H2 + D2</source>
        <translation>sie reagierten zu H2 + D2</translation>
    </message>
    <message>
        <source>nothing changed</source>
        <translation>nichts geändert</translation>
    </message>
    <message>
        <source>coin %1 above %2, %3</source>
        <extracomment>An HD + HD pair reacts when its coin is above one half. %1 is the coin, %2 one half, %3 what came of it.</extracomment>
        <translation>Münze %1 über %2, %3</translation>
    </message>
    <message>
        <source>coin %1 not above %2, %3</source>
        <translation>Münze %1 nicht über %2, %3</translation>
    </message>
    <message>
        <source>draw %1 below %2, %3</source>
        <extracomment>At a temperature an H2 + D2 pair reacts when its draw is below K / 4. %1 is the draw, %2 K / 4, %3 what came of it.</extracomment>
        <translation>Ziehung %1 unter %2, %3</translation>
    </message>
    <message>
        <source>draw %1 not below %2, %3</source>
        <translation>Ziehung %1 nicht unter %2, %3</translation>
    </message>
    <message>
        <source>molecule %1 (%2)</source>
        <translation>Molekül %1 (%2)</translation>
    </message>
    <message>
        <source>%1 met %2: %3; W %4 -&gt; %5</source>
        <extracomment>%1 and %2 are the molecules, %3 what came of it, %4 and %5 W before and after.</extracomment>
        <translation>%1 traf %2: %3; W %4 -&gt; %5</translation>
    </message>
</context>
<context>
    <name>kormix::ui::SummaryBox</name>
    <message>
        <source>exact and observed</source>
        <translation>exakt und beobachtet</translation>
    </message>
    <message>
        <source>Total-variation distance: half the sum over all compositions of |observed share - exact P|. 0 means the run spent its collisions exactly as the theory says; 1 means it never met a likely composition.</source>
        <translation>Totalvariationsabstand: die halbe Summe über alle Zusammensetzungen von |beobachteter Anteil - exaktes P|. 0 heißt, der Lauf verteilte seine Stöße genau wie die Theorie; 1 heißt, er traf nie eine wahrscheinliche Zusammensetzung.</translation>
    </message>
    <message>
        <source>most probable composition:</source>
        <translation>wahrscheinlichste Zusammensetzung:</translation>
    </message>
    <message>
        <source>its probability P:</source>
        <translation>ihre Wahrscheinlichkeit P:</translation>
    </message>
    <message>
        <source>its quotient Q:</source>
        <translation>ihr Quotient Q:</translation>
    </message>
    <message>
        <source>observed</source>
        <translation>beobachtet</translation>
    </message>
    <message>
        <source>exact</source>
        <translation>exakt</translation>
    </message>
    <message>
        <source>mean HD fraction:</source>
        <translation>mittlerer HD-Anteil:</translation>
    </message>
    <message>
        <source>standard deviation:</source>
        <translation>Standardabweichung:</translation>
    </message>
    <message>
        <source>%1 H2 + %2 HD + %3 D2</source>
        <translation>%1 H2 + %2 HD + %3 D2</translation>
    </message>
    <message>
        <source>%1 (as likely as the one with 2 HD more)</source>
        <extracomment>%1 is the most probable composition, which shares its W with the one that has two HD more.</extracomment>
        <translation>%1 (so wahrscheinlich wie die mit 2 HD mehr)</translation>
    </message>
    <message>
        <source>distance from equilibrium (TV): %1</source>
        <translation>Abstand vom Gleichgewicht (TV): %1</translation>
    </message>
    <message>
        <source>The equilibrium the collisions go to (Run, Temperature...)</source>
        <translation>Das Gleichgewicht, dem die Stöße zustreben (Ablauf, Temperatur...)</translation>
    </message>
    <message>
        <source>most microstates (largest W):</source>
        <translation>meiste Mikrozustände (größtes W):</translation>
    </message>
    <message>
        <source>They differ: energy favours H2 + D2 over 2 HD.</source>
        <extracomment>Shown when the most probable composition is not the one with the most microstates: energy favours H2 + D2 over 2 HD.</extracomment>
        <translation>Sie unterscheiden sich: Die Energie begünstigt H2 + D2 gegenüber 2 HD.</translation>
    </message>
    <message>
        <source>mean number of HD:</source>
        <translation>mittlere Anzahl HD:</translation>
    </message>
    <message>
        <source>constant K:</source>
        <translation>Konstante K:</translation>
    </message>
    <message>
        <source>The run&apos;s estimate of K: &lt;nHD (nHD - 1)&gt; / &lt;nH2 nD2&gt; over its collisions. At equilibrium it is K exactly, for any number of molecules; Q of the most probable composition is not.</source>
        <translation>Die Schätzung von K aus dem Lauf: &lt;nHD (nHD - 1)&gt; / &lt;nH2 nD2&gt; über seine Stöße. Im Gleichgewicht ist sie genau K, für jede Anzahl Moleküle; Q der wahrscheinlichsten Zusammensetzung ist es nicht.</translation>
    </message>
</context>
<context>
    <name>kormix::ui::TemperatureDialog</name>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>When an H2 and a D2 meet, they react K / 4 of the time; two HD react half of the time. Counting alone gives K = 4. In real hydrogen the zero-point energies of H2, HD and D2 differ, which lowers K, the more the colder.</source>
        <translation>Treffen sich ein H2 und ein D2, reagieren sie in K / 4 der Fälle, zwei HD in der Hälfte der Fälle. Bloßes Abzählen ergibt K = 4. In echtem Wasserstoff unterscheiden sich die Nullpunktsenergien von H2, HD und D2; das senkt K, umso mehr, je kälter es ist.</translation>
    </message>
    <message>
        <source>&amp;statistics only (K = 4)</source>
        <translation>nur &amp;Statistik (K = 4)</translation>
    </message>
    <message>
        <source>&amp;hydrogen at</source>
        <translation>&amp;Wasserstoff bei</translation>
    </message>
    <message>
        <source>temperature in kelvin</source>
        <translation>Temperatur in Kelvin</translation>
    </message>
    <message>
        <source>kelvin (%1 to %2)</source>
        <translation>Kelvin (%1 bis %2)</translation>
    </message>
    <message>
        <source>K = %1</source>
        <translation>K = %1</translation>
    </message>
    <message>
        <source>The temperature must be a number from %1 to %2 kelvin.</source>
        <translation>Die Temperatur muss eine Zahl von %1 bis %2 Kelvin sein.</translation>
    </message>
</context>
<context>
    <name>kormix::ui::ValueText</name>
    <message>
        <source>–</source>
        <extracomment>Stands where there is no value yet.</extracomment>
        <translation>–</translation>
    </message>
    <message>
        <source>statistics only, K = %1</source>
        <translation>nur Statistik, K = %1</translation>
    </message>
    <message>
        <source>hydrogen at %1 K, K = %2</source>
        <translation>Wasserstoff bei %1 K, K = %2</translation>
    </message>
</context>
<context>
    <name>kormix::ui::ViewMenu</name>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Equilibrium</source>
        <translation>&amp;Gleichgewicht</translation>
    </message>
    <message>
        <source>&amp;Molecules</source>
        <translation>&amp;Moleküle</translation>
    </message>
    <message>
        <source>&amp;Arrangements</source>
        <translation>&amp;Anordnungen</translation>
    </message>
</context>
</TS>
