<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>Demo</name>
    <message>
        <source>1 pending change</source>
        <translation>1 offene Änderung</translation>
    </message>
    <message>
        <source>%1 pending changes</source>
        <translation>%1 offene Änderungen</translation>
    </message>
    <message>
        <source>error %1 in %2: %3</source>
        <translation>Fehler %1 in %2: %3</translation>
    </message>
    <message>
        <source>Tessaro schedule chart</source>
        <translation>Tessaro-Plantafel</translation>
    </message>
    <message>
        <source>Error %1 (0x%2) in %3: %4</source>
        <translation>Fehler %1 (0x%2) in %3: %4</translation>
    </message>
    <message>
        <source>No work order selected</source>
        <translation>Kein Fertigungsauftrag ausgewählt</translation>
    </message>
    <message>
        <source>Work order %1 selected</source>
        <translation>Fertigungsauftrag %1 ausgewählt</translation>
    </message>
    <message>
        <source>Not changed: %1</source>
        <translation>Nicht geändert: %1</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open plant folder...</source>
        <translation>Werksordner ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Plant folder</source>
        <translation>Werksordner</translation>
    </message>
    <message>
        <source>&amp;Save changes...</source>
        <translation>Änderungen &amp;speichern...</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>XML documents (*.xml)</source>
        <translation>XML-Dokumente (*.xml)</translation>
    </message>
    <message>
        <source>Changes saved to %1</source>
        <translation>Änderungen in %1 gespeichert</translation>
    </message>
    <message>
        <source>Export chart as &amp;PNG...</source>
        <translation>Plantafel als &amp;PNG exportieren...</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Export chart as P&amp;DF...</source>
        <translation>Plantafel als P&amp;DF exportieren...</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF-Dokumente (*.pdf)</translation>
    </message>
    <message>
        <source>Export chart</source>
        <translation>Plantafel exportieren</translation>
    </message>
    <message>
        <source>Chart written to %1</source>
        <translation>Plantafel nach %1 geschrieben</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Fit the window</source>
        <translation>An &amp;Fenster anpassen</translation>
    </message>
    <message>
        <source>&amp;Next overlap (F8)</source>
        <translation>&amp;Nächste Überschneidung (F8)</translation>
    </message>
    <message>
        <source>&amp;Previous overlap (Shift+F8)</source>
        <translation>&amp;Vorherige Überschneidung (Umschalt+F8)</translation>
    </message>
    <message>
        <source>&amp;Schedule</source>
        <translation>&amp;Planung</translation>
    </message>
    <message>
        <source>Select &amp;work order...</source>
        <translation>&amp;Fertigungsauftrag auswählen...</translation>
    </message>
    <message>
        <source>Select work order</source>
        <translation>Fertigungsauftrag auswählen</translation>
    </message>
    <message>
        <source>Work order:</source>
        <translation>Fertigungsauftrag:</translation>
    </message>
    <message>
        <source>Check &amp;conflicts</source>
        <translation>&amp;Konflikte prüfen</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 was refused: %2</source>
        <translation>%1 wurde abgelehnt: %2</translation>
    </message>
    <message>
        <source>Loaded %1 resources and %2 work-order activities</source>
        <translation>%1 Ressourcen und %2 Arbeitsgänge geladen</translation>
    </message>
    <message>
        <source>The changes cannot be written: %1</source>
        <translation>Die Änderungen können nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Conflicts cannot be checked: %1</source>
        <translation>Konflikte können nicht geprüft werden: %1</translation>
    </message>
    <message>
        <source>Work order &apos;%1&apos; cannot be selected: %2</source>
        <translation>Fertigungsauftrag „%1“ kann nicht ausgewählt werden: %2</translation>
    </message>
    <message>
        <source>The plant has no work-order bar to select</source>
        <translation>Das Werk hat keinen Auftragsbalken zum Auswählen</translation>
    </message>
    <message>
        <source>Cannot read the time %1</source>
        <translation>Die Zeit %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Cannot move %1</source>
        <translation>%1 kann nicht verschoben werden</translation>
    </message>
    <message>
        <source>No bar is selected: click a work-order bar first</source>
        <translation>Kein Balken ausgewählt: Klicken Sie zuerst auf einen Auftragsbalken</translation>
    </message>
    <message>
        <source>%1 has no conflict</source>
        <translation>%1 hat keinen Konflikt</translation>
    </message>
    <message>
        <source>%1: %2 activities in the conflict list</source>
        <translation>%1: %2 Arbeitsgänge in der Konfliktliste</translation>
    </message>
    <message>
        <source>No work order %1 on the chart</source>
        <translation>Kein Fertigungsauftrag %1 auf der Plantafel</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>%1 not saved. Save them before quitting?</source>
        <translation>%1 nicht gespeichert. Vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>Cannot drag %1</source>
        <translation>%1 lässt sich nicht ziehen</translation>
    </message>
</context>
<context>
    <name>Tessaro</name>
    <message>
        <source>Hide Mutliline</source>
        <translation>Auftragsliste ausblenden</translation>
    </message>
    <message>
        <source>Show Mutliline</source>
        <translation>Auftragsliste einblenden</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Scheduler</source>
        <translation>Planung</translation>
    </message>
    <message>
        <source>Drag</source>
        <translation>Ziehen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Pack</source>
        <translation>Verdichten</translation>
    </message>
    <message>
        <source>Paste Forward schedule</source>
        <translation>Einfügen vorwärts</translation>
    </message>
    <message>
        <source>Paste Backward schedule</source>
        <translation>Einfügen rückwärts</translation>
    </message>
    <message>
        <source>Paste Forward finite schedule</source>
        <translation>Einfügen vorwärts mit Kapazitätsgrenze</translation>
    </message>
    <message>
        <source>Paste Backward finite schedule</source>
        <translation>Einfügen rückwärts mit Kapazitätsgrenze</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Schedule Chart </source>
        <translation>Plantafel </translation>
    </message>
    <message>
        <source>WO No.</source>
        <translation>FA-Nr.</translation>
    </message>
    <message>
        <source>Item No.</source>
        <translation>Artikel</translation>
    </message>
    <message>
        <source>Start Dt</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Req. Dt</source>
        <translation>Bedarf</translation>
    </message>
    <message>
        <source>WOActivity</source>
        <translation>AG</translation>
    </message>
    <message>
        <source>SO No.</source>
        <translation>KA-Nr.</translation>
    </message>
    <message>
        <source>Cust. Name</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>End Dt</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Prom. Dt</source>
        <translation>Zusage</translation>
    </message>
    <message>
        <source>Request</source>
        <translation>Anfrage</translation>
    </message>
    <message>
        <source>Accepted</source>
        <translation>Angenommen</translation>
    </message>
    <message>
        <source>Firmed</source>
        <translation>Fixiert</translation>
    </message>
    <message>
        <source>Released</source>
        <translation>Freigegeben</translation>
    </message>
    <message>
        <source>Wo No.</source>
        <translation>FA-Nr.</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Artikel</translation>
    </message>
    <message>
        <source>Start Date</source>
        <translation>Startdatum</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>End Date</source>
        <translation>Enddatum</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>PP Pos.</source>
        <translation>AG-Nr.</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Resources</source>
        <translation>Ressourcen</translation>
    </message>
    <message>
        <source>Sun;Mon;Tue;Wed;Thu;Fri;Sat;</source>
        <translation>So;Mo;Di;Mi;Do;Fr;Sa;</translation>
    </message>
    <message>
        <source>Sunday;Monday;Tuesday;Wednesday;Thursday;Friday;Saturday</source>
        <translation>Sonntag;Montag;Dienstag;Mittwoch;Donnerstag;Freitag;Samstag</translation>
    </message>
    <message>
        <source>January,February,March,April,May,June,July,August,September,October,November,December</source>
        <translation>Januar,Februar,März,April,Mai,Juni,Juli,August,September,Oktober,November,Dezember</translation>
    </message>
</context>
<context>
    <name>TessaroWidget</name>
    <message numerus="yes">
        <source>Refresh reloads the plan and discards %n change(s) not saved yet. Discard them?</source>
        <translation>
            <numerusform>Aktualisieren lädt den Plan neu und verwirft %n noch nicht gespeicherte Änderung. Verwerfen?</numerusform>
            <numerusform>Aktualisieren lädt den Plan neu und verwirft %n noch nicht gespeicherte Änderungen. Verwerfen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
</context>
<context>
    <name>tessaro::ScheduleChartView</name>
    <message>
        <source>Calendar blocks cannot be moved.</source>
        <translation>Kalendersperrzeiten können nicht verschoben werden.</translation>
    </message>
    <message>
        <source>Copy the activity (right-click, Copy) to move it.</source>
        <translation>Kopieren Sie den Arbeitsgang (Rechtsklick, Kopieren), um ihn zu verschieben.</translation>
    </message>
    <message>
        <source>Calendar blocks cannot be removed.</source>
        <translation>Kalendersperrzeiten können nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Work-order activities cannot be removed here; a copy (right-click, Copy) can.</source>
        <translation>Arbeitsgänge von Fertigungsaufträgen können hier nicht entfernt werden, eine Kopie (Rechtsklick, Kopieren) schon.</translation>
    </message>
    <message>
        <source>%1 is not available
%2</source>
        <translation>%1 ist nicht verfügbar
%2</translation>
    </message>
    <message>
        <source>Work order %1</source>
        <translation>Fertigungsauftrag %1</translation>
    </message>
    <message>
        <source>Work order %1, activity %2</source>
        <translation>Fertigungsauftrag %1, Arbeitsgang %2</translation>
    </message>
    <message>
        <source>Copy of: %1</source>
        <translation>Kopie von: %1</translation>
    </message>
    <message>
        <source>Customer: %1</source>
        <translation>Kunde: %1</translation>
    </message>
    <message>
        <source> (sales order %1)</source>
        <translation> (Kundenauftrag %1)</translation>
    </message>
    <message>
        <source>Item: %1</source>
        <translation>Artikel: %1</translation>
    </message>
    <message>
        <source>Status: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <source>On %1: %2</source>
        <translation>Auf %1: %2</translation>
    </message>
    <message>
        <source>Required %1, promised %2</source>
        <translation>Bedarf %1, zugesagt %2</translation>
    </message>
    <message>
        <source>Drag this copy to move the activity; right-click another bar to paste.</source>
        <translation>Ziehen Sie diese Kopie, um den Arbeitsgang zu verschieben; ein Rechtsklick auf einen anderen Balken fügt ihn dort ein.</translation>
    </message>
    <message>
        <source>Remove the copy of work order %1, activity %2, from %3?

The copy is given up; the activity stays where it is.</source>
        <translation>Die Kopie von Fertigungsauftrag %1, Arbeitsgang %2, von %3 entfernen?

Die Kopie wird verworfen; der Arbeitsgang bleibt, wo er ist.</translation>
    </message>
    <message>
        <source>Remove the selected bar from %1?</source>
        <translation>Den ausgewählten Balken von %1 entfernen?</translation>
    </message>
    <message>
        <source>Remove &quot;%1&quot; from %2?</source>
        <translation>„%1“ von %2 entfernen?</translation>
    </message>
    <message>
        <source>Remove bar</source>
        <translation>Balken entfernen</translation>
    </message>
    <message>
        <source>Copy of %1</source>
        <translation>Kopie von %1</translation>
    </message>
    <message>
        <source>Move to %1, %2 – %3; Enter drops it, Escape ends the copy</source>
        <translation>Nach %1, %2 – %3; Eingabe legt ab, Escape beendet die Kopie</translation>
    </message>
</context>
<context>
    <name>tessaro::TessaroWidget</name>
    <message>
        <source>%1/%2 · %3 · %4–%5</source>
        <translation>%1/%2 · %3 · %4–%5</translation>
    </message>
    <message>
        <source>pasted forward</source>
        <translation>vorwärts eingefügt</translation>
    </message>
    <message>
        <source>pasted backward</source>
        <translation>rückwärts eingefügt</translation>
    </message>
    <message>
        <source>moved by hand</source>
        <translation>von Hand verschoben</translation>
    </message>
    <message>
        <source>Changed (%1), to be saved:</source>
        <translation>Geändert (%1), noch zu speichern:</translation>
    </message>
    <message>
        <source>Start %1, was %2</source>
        <translation>Start %1, vorher %2</translation>
    </message>
    <message>
        <source>End %1, was %2</source>
        <translation>Ende %1, vorher %2</translation>
    </message>
    <message>
        <source>Resource %1, was %2</source>
        <translation>Ressource %1, vorher %2</translation>
    </message>
    <message>
        <source>Resources %1, unchanged</source>
        <translation>Ressourcen %1, unverändert</translation>
    </message>
    <message>
        <source>Resource %1, unchanged</source>
        <translation>Ressource %1, unverändert</translation>
    </message>
    <message>
        <source>Activity %1 now: %2 – %3 on %4</source>
        <translation>Arbeitsgang %1 jetzt: %2 – %3 auf %4</translation>
    </message>
    <message>
        <source> (changed; loaded %1 on %2)</source>
        <translation> (geändert; geladen %1 auf %2)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Conflicting bars</source>
        <translation>Balken im Konflikt</translation>
    </message>
    <message>
        <source>Selected:</source>
        <translation>Ausgewählt:</translation>
    </message>
    <message>
        <source>&amp;Copy activity</source>
        <translation>Arbeitsgang &amp;kopieren</translation>
    </message>
    <message>
        <source>Ctrl+C copies the activity of the focused work-order bar</source>
        <translation>Strg+C kopiert den Arbeitsgang des fokussierten Auftragsbalkens</translation>
    </message>
    <message>
        <source>Work order</source>
        <translation>Fertigungsauftrag</translation>
    </message>
    <message>
        <source>Work order status</source>
        <translation>Auftragsstatus</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Artikel</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Startdatum</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>Required date</source>
        <translation>Bedarfsdatum</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Arbeitsgang</translation>
    </message>
    <message>
        <source>Sales order</source>
        <translation>Kundenauftrag</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Enddatum</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>Promised date</source>
        <translation>Zusagedatum</translation>
    </message>
    <message>
        <source>Conflicts</source>
        <translation>Konflikte</translation>
    </message>
    <message>
        <source>Activities of the selected work order</source>
        <translation>Arbeitsgänge des ausgewählten Fertigungsauftrags</translation>
    </message>
    <message numerus="yes">
        <source>Undone; %n change(s) pending</source>
        <translation>
            <numerusform>Rückgängig gemacht; %n Änderung offen</numerusform>
            <numerusform>Rückgängig gemacht; %n Änderungen offen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Redone; %n change(s) pending</source>
        <translation>
            <numerusform>Wiederholt; %n Änderung offen</numerusform>
            <numerusform>Wiederholt; %n Änderungen offen</numerusform>
        </translation>
    </message>
    <message>
        <source>No change pending</source>
        <translation>Keine Änderung offen</translation>
    </message>
    <message>
        <source>Change applied: %1</source>
        <translation>Änderung übernommen: %1</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Abgelehnt: %1</translation>
    </message>
</context>
<context>
    <name>tessaro::ToolbarCaption</name>
    <message>
        <source>Hide work-order list</source>
        <translation>Auftragsliste ausblenden</translation>
    </message>
    <message>
        <source>Show work-order list</source>
        <translation>Auftragsliste einblenden</translation>
    </message>
</context>
<context>
    <name>tessaro::qt_detail</name>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Abgelehnt: %1</translation>
    </message>
    <message>
        <source>No new overlap</source>
        <translation>Keine neue Überschneidung</translation>
    </message>
    <message>
        <source>%1 in non-working time</source>
        <translation>%1 in arbeitsfreier Zeit</translation>
    </message>
    <message>
        <source>Late %1</source>
        <translation>%1 zu spät</translation>
    </message>
    <message>
        <source>On time, %1 early</source>
        <translation>Termingerecht, %1 früher</translation>
    </message>
    <message>
        <source>On time</source>
        <translation>Termingerecht</translation>
    </message>
</context>
<context>
    <name>tessaro::qt_detail::ConflictPanel</name>
    <message>
        <source>Overlap</source>
        <translation>Überschneidung</translation>
    </message>
    <message>
        <source>%1 with %2</source>
        <translation>%1 mit %2</translation>
    </message>
    <message>
        <source>Out of order</source>
        <translation>Falsche Reihenfolge</translation>
    </message>
    <message>
        <source>%1 starts before %2 ends</source>
        <translation>%1 beginnt vor dem Ende von %2</translation>
    </message>
    <message>
        <source>Non-working time</source>
        <translation>Arbeitsfreie Zeit</translation>
    </message>
    <message>
        <source>%1 · %2 · %3 · %4</source>
        <translation>%1 · %2 · %3 · %4</translation>
    </message>
    <message>
        <source>&amp;Conflicts: none</source>
        <translation>&amp;Konflikte: keine</translation>
    </message>
    <message>
        <source>&amp;Conflicts (%1)</source>
        <translation>&amp;Konflikte (%1)</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Resource</source>
        <translation>Ressource</translation>
    </message>
    <message>
        <source>Activities</source>
        <translation>Arbeitsgänge</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Conflicts</source>
        <translation>Konflikte</translation>
    </message>
</context>
<context>
    <name>tessaro::qt_detail::LegendStrip</name>
    <message>
        <source>Planned</source>
        <translation>Geplant</translation>
    </message>
    <message>
        <source>Request</source>
        <translation>Anfrage</translation>
    </message>
    <message>
        <source>Accepted</source>
        <translation>Angenommen</translation>
    </message>
    <message>
        <source>Firmed</source>
        <translation>Fixiert</translation>
    </message>
    <message>
        <source>Released</source>
        <translation>Freigegeben</translation>
    </message>
    <message>
        <source>Other status</source>
        <translation>Anderer Status</translation>
    </message>
    <message>
        <source>Special activity</source>
        <translation>Sondertätigkeit</translation>
    </message>
    <message>
        <source>Not selected:</source>
        <translation>Nicht ausgewählt:</translation>
    </message>
    <message>
        <source>Not available</source>
        <translation>Nicht verfügbar</translation>
    </message>
    <message>
        <source>Copy to move</source>
        <translation>Kopie zum Verschieben</translation>
    </message>
    <message>
        <source>Overlap</source>
        <translation>Überschneidung</translation>
    </message>
    <message>
        <source>Changed: loaded here</source>
        <translation>Geändert: hier geladen</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Start mark: host check 1 or 2</source>
        <translation>Startmarke: Prüfung 1 oder 2 des Host-Systems</translation>
    </message>
    <message>
        <source>End mark: runs online</source>
        <translation>Endmarke: läuft online</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>tessaro::qt_detail::ResourceFinder</name>
    <message>
        <source>Find resource</source>
        <translation>Ressource suchen</translation>
    </message>
    <message>
        <source>Type part of a resource&apos;s code or description; Enter finds the next, Escape clears</source>
        <translation>Teil von Code oder Beschreibung einer Ressource eingeben; Eingabe sucht die nächste, Escape leert das Feld</translation>
    </message>
</context>
</TS>
