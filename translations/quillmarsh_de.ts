<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutBoxView</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL, version 3 or later, without any warranty.</source>
        <translation>Freie Software unter der GNU GPL, Version 3 oder neuer, ohne jede Gewährleistung.</translation>
    </message>
    <message>
        <source>Press Escape or click the mouse button to close this window.</source>
        <translation>Drücken Sie Esc oder klicken Sie mit der Maus, um dieses Fenster zu schließen.</translation>
    </message>
    <message>
        <source>Operating System</source>
        <translation>Betriebssystem</translation>
    </message>
    <message>
        <source>Hardware Information</source>
        <translation>Hardware-Informationen</translation>
    </message>
</context>
<context>
    <name>AboutDialogController</name>
    <message>
        <source>About Quillmarsh</source>
        <translation>Über Quillmarsh</translation>
    </message>
</context>
<context>
    <name>AddressTexts</name>
    <message>
        <source>&quot;%1&quot; is not a web address: only addresses that begin with http:// or https:// can be used.</source>
        <translation>„%1“ ist keine Webadresse: Nur Adressen, die mit http:// oder https:// beginnen, können verwendet werden.</translation>
    </message>
</context>
<context>
    <name>ApplicationController</name>
    <message>
        <source>The tutorial is missing from this installation.</source>
        <translation>Die Einführung fehlt in dieser Installation.</translation>
    </message>
    <message>
        <source>No web browser could be started to show it.</source>
        <translation>Es konnte kein Webbrowser gestartet werden, um sie anzuzeigen.</translation>
    </message>
    <message>
        <source>The tutorial could not be opened.</source>
        <translation>Die Einführung konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The verification history could not be written.</source>
        <translation>Der Prüfverlauf konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AskStringDialogController</name>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Letters and digits only; it names the category&apos;s part of the links page.</source>
        <translation>Nur Buchstaben und Ziffern; sie benennt den Teil der Linkseite, der zur Kategorie gehört.</translation>
    </message>
    <message>
        <source>The name is shown in the lists and on the links page. The ID, made of letters and digits only, names the category&apos;s part of the links page.</source>
        <translation>Der Name erscheint in den Listen und auf der Linkseite. Die ID aus Buchstaben und Ziffern benennt den Teil der Linkseite, der zur Kategorie gehört.</translation>
    </message>
    <message>
        <source>Category &amp;name*:</source>
        <translation>Kategorie&amp;name*:</translation>
    </message>
    <message>
        <source>Category &amp;ID*:</source>
        <translation>Kategorie-&amp;ID*:</translation>
    </message>
    <message>
        <source>* Required fields</source>
        <translation>* Pflichtfelder</translation>
    </message>
    <message>
        <source>Edit Category</source>
        <translation>Kategorie bearbeiten</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Kürzen</translation>
    </message>
</context>
<context>
    <name>AutoVerifier</name>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Automatic verification progress</source>
        <translation>Fortschritt der automatischen Prüfung</translation>
    </message>
    <message>
        <source>Stop the automatic verification; the links checked so far are kept</source>
        <translation>Die automatische Prüfung anhalten; die bisher geprüften Links bleiben erhalten</translation>
    </message>
    <message>
        <source>Verifying links: %1 of %2</source>
        <translation>Links werden geprüft: %1 von %2</translation>
    </message>
    <message>
        <source>Automatic Verification</source>
        <translation>Automatische Prüfung</translation>
    </message>
</context>
<context>
    <name>BrowserOpener</name>
    <message>
        <source>The system did not take the address.</source>
        <translation>Das System hat die Adresse nicht angenommen.</translation>
    </message>
    <message>
        <source>The page could not be opened in your web browser.</source>
        <translation>Die Seite konnte nicht in Ihrem Webbrowser geöffnet werden.</translation>
    </message>
    <message>
        <source>Set up a default web browser in your desktop&apos;s settings, or copy the address &quot;%1&quot; and open it by hand.</source>
        <translation>Richten Sie in den Einstellungen Ihrer Arbeitsumgebung einen Standard-Webbrowser ein, oder kopieren Sie die Adresse „%1“ und öffnen Sie sie von Hand.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copy Address</source>
        <translation>Adresse kopieren</translation>
    </message>
</context>
<context>
    <name>CategoryCommands</name>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>This category cannot be edited.</source>
        <translation>Diese Kategorie kann nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; cannot be edited.</source>
        <translation>Die Kategorie „%1“ kann nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Edit Category</source>
        <translation>Kategorie bearbeiten</translation>
    </message>
    <message>
        <source>This category cannot be deleted.</source>
        <translation>Diese Kategorie kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; cannot be deleted.</source>
        <translation>Die Kategorie „%1“ kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the category &quot;%1&quot;?</source>
        <translation>Möchten Sie die Kategorie „%1“ wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the category &quot;%1&quot; and its 1 link?</source>
        <translation>Möchten Sie die Kategorie „%1“ und ihren einen Link wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the category &quot;%1&quot; and its %2 links?</source>
        <translation>Möchten Sie die Kategorie „%1“ und ihre %2 Links wirklich löschen?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>Kategorie löschen</translation>
    </message>
    <message>
        <source>All Links lists the links of every category; it is not a category of its own.</source>
        <translation>„Alle Links“ zeigt die Links aller Kategorien; es ist selbst keine Kategorie.</translation>
    </message>
    <message>
        <source>All Links cannot be edited.</source>
        <translation>„Alle Links“ kann nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>All Links cannot be deleted.</source>
        <translation>„Alle Links“ kann nicht gelöscht werden.</translation>
    </message>
</context>
<context>
    <name>CategoryListModel</name>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>All Links (%1)</source>
        <translation>Alle Links (%1)</translation>
    </message>
    <message>
        <source>All Links</source>
        <translation>Alle Links</translation>
    </message>
    <message>
        <source>All Links: every link of the database</source>
        <translation>Alle Links: jeder Link der Datenbank</translation>
    </message>
</context>
<context>
    <name>CategoryNameForm</name>
    <message>
        <source>Some required fields are missing.</source>
        <translation>Einige Pflichtfelder sind leer.</translation>
    </message>
    <message>
        <source>All required fields must be specified. Required fields are marked with an asterisk.</source>
        <translation>Alle Pflichtfelder müssen ausgefüllt werden. Pflichtfelder sind mit einem Sternchen gekennzeichnet.</translation>
    </message>
    <message>
        <source>The Category ID field contains invalid characters.</source>
        <translation>Das Feld „Kategorie-ID“ enthält ungültige Zeichen.</translation>
    </message>
    <message>
        <source>You can only enter letters (without accents) and numbers in this field.</source>
        <translation>In dieses Feld können Sie nur Buchstaben (ohne Akzente und Umlaute) und Ziffern eingeben.</translation>
    </message>
    <message>
        <source>A category with the same name already exists.</source>
        <translation>Es gibt bereits eine Kategorie mit diesem Namen.</translation>
    </message>
    <message>
        <source>Choose another name for the category.</source>
        <translation>Wählen Sie einen anderen Namen für die Kategorie.</translation>
    </message>
    <message>
        <source>A category with the same ID already exists.</source>
        <translation>Es gibt bereits eine Kategorie mit dieser ID.</translation>
    </message>
    <message>
        <source>Choose another ID for the category.</source>
        <translation>Wählen Sie eine andere ID für die Kategorie.</translation>
    </message>
    <message>
        <source>The category name is too long.</source>
        <translation>Der Kategoriename ist zu lang.</translation>
    </message>
    <message>
        <source>The category name can only contain up to %1 characters.</source>
        <translation>Der Kategoriename darf höchstens %1 Zeichen enthalten.</translation>
    </message>
    <message>
        <source>The category ID is too long.</source>
        <translation>Die Kategorie-ID ist zu lang.</translation>
    </message>
    <message>
        <source>The category ID can only contain up to %1 characters.</source>
        <translation>Die Kategorie-ID darf höchstens %1 Zeichen enthalten.</translation>
    </message>
</context>
<context>
    <name>ChangeMarkDelegate</name>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
</context>
<context>
    <name>CheckOutcome</name>
    <message>
        <source>Link found</source>
        <translation>Link gefunden</translation>
    </message>
    <message>
        <source>Link missing</source>
        <translation>Link fehlt</translation>
    </message>
    <message>
        <source>Site unreachable</source>
        <translation>Website nicht erreichbar</translation>
    </message>
    <message>
        <source>Check refused by the site</source>
        <translation>Prüfung von der Website abgewiesen</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message>
        <source>Nothing to do.</source>
        <translation>Nichts zu tun.</translation>
    </message>
    <message>
        <source>Look at the links page; if your link is gone, ask the partner to put it back.</source>
        <translation>Sehen Sie sich die Linkseite an; fehlt Ihr Link, bitten Sie den Partner, ihn wieder einzufügen.</translation>
    </message>
    <message>
        <source>Nothing is known about your link; it is checked again next time.</source>
        <translation>Über Ihren Link ist nichts bekannt; er wird beim nächsten Mal wieder geprüft.</translation>
    </message>
    <message>
        <source>Open the links page in your browser to see whether your link is still there.</source>
        <translation>Öffnen Sie die Linkseite im Browser, um zu sehen, ob Ihr Link noch da ist.</translation>
    </message>
    <message>
        <source>Enter the links page address in the link editor.</source>
        <translation>Geben Sie die Adresse der Linkseite im Link-Editor ein.</translation>
    </message>
</context>
<context>
    <name>CliCommand</name>
    <message>
        <source>Draw a statistics chart: a printed A4 page as PDF, or the chart alone as PNG.</source>
        <translation>Ein Statistikdiagramm zeichnen: als gedruckte A4-Seite im PDF-Format oder nur das Diagramm als PNG.</translation>
    </message>
    <message>
        <source>The chart: 0 the latest verification results, 1 the link statuses, 2 the original requests.</source>
        <translation>Das Diagramm: 0 die letzten Prüfergebnisse, 1 die Status der Links, 2 die ursprünglichen Anfragen.</translation>
    </message>
    <message>
        <source>usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>cannot write (%1)</source>
        <translation>kann nicht geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>The command did its work.</source>
        <translation>Der Befehl wurde ausgeführt.</translation>
    </message>
    <message>
        <source>The arguments are wrong; the usage is printed on standard error.</source>
        <translation>Die Argumente sind falsch; der Aufruf wird auf der Standardfehlerausgabe beschrieben.</translation>
    </message>
    <message>
        <source>quillmarsh-cli: work with Quillmarsh links databases without a window.</source>
        <translation>quillmarsh-cli: Quillmarsh-Linkdatenbanken ohne Fenster bearbeiten.</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>&quot;quillmarsh-cli COMMAND --help&quot; describes one command; &quot;quillmarsh-cli --version&quot; prints the version.</source>
        <translation>„quillmarsh-cli BEFEHL --help“ beschreibt einen Befehl; „quillmarsh-cli --version“ gibt die Version aus.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>Rückgabewert:</translation>
    </message>
    <message>
        <source>cannot write the JSON text</source>
        <translation>der JSON-Text kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Print the whole database as JSON.</source>
        <translation>Die ganze Datenbank als JSON ausgeben.</translation>
    </message>
    <message>
        <source>The links page cannot be exported. There are no exportable links in this database.</source>
        <translation>Die Linkseite kann nicht exportiert werden. Diese Datenbank enthält keine exportierbaren Links.</translation>
    </message>
    <message>
        <source>The links could not be exported. %1</source>
        <translation>Die Links konnten nicht exportiert werden. %1</translation>
    </message>
    <message>
        <source>Write the links page: one page, or an index page and one page per category beside it, as the database&apos;s layout says.</source>
        <translation>Die Linkseite schreiben: eine einzelne Seite oder eine Übersichtsseite mit je einer Seite pro Kategorie daneben, wie es das Layout der Datenbank vorsieht.</translation>
    </message>
    <message>
        <source>The text encoding of the file (default: the one chosen in the preferences).</source>
        <translation>Die Textkodierung der Datei (Vorgabe: die in den Einstellungen gewählte).</translation>
    </message>
    <message>
        <source>--sort orders the links of each category as the link list does (default: title).</source>
        <translation>--sort ordnet die Links jeder Kategorie wie die Linkliste (Vorgabe: title).</translation>
    </message>
    <message>
        <source>One or more conditions are empty or conflict with each other. This will result in never matching a link.</source>
        <translation>Eine oder mehrere Bedingungen sind leer oder widersprechen einander. Damit würde nie ein Link gefunden.</translation>
    </message>
    <message>
        <source>Match the links that meet any of the conditions, not all of them.</source>
        <translation>Links finden, die eine der Bedingungen erfüllen, nicht alle.</translation>
    </message>
    <message>
        <source>Order the links of each category as the link list does (default: title).</source>
        <translation>Die Links jeder Kategorie wie die Linkliste ordnen (Vorgabe: title).</translation>
    </message>
    <message>
        <source>Merge the categories and links of another database. FILE.site is written only when something changed.</source>
        <translation>Die Kategorien und Links einer anderen Datenbank übernehmen. DATEI.site wird nur geschrieben, wenn sich etwas geändert hat.</translation>
    </message>
    <message>
        <source>Keep the links whose IDs exist already.</source>
        <translation>Links behalten, deren IDs schon vorhanden sind.</translation>
    </message>
    <message>
        <source>Replace the links whose IDs exist already.</source>
        <translation>Links ersetzen, deren IDs schon vorhanden sind.</translation>
    </message>
    <message>
        <source>cannot open (%1)</source>
        <translation>kann nicht geöffnet werden (%1)</translation>
    </message>
    <message>
        <source>not a links database in JSON (%1)</source>
        <translation>keine Linkdatenbank im JSON-Format (%1)</translation>
    </message>
    <message>
        <source>no object</source>
        <translation>kein Objekt</translation>
    </message>
    <message>
        <source>Write a database from JSON in the form that dump prints.</source>
        <translation>Eine Datenbank aus JSON in der Form schreiben, die dump ausgibt.</translation>
    </message>
    <message>
        <source>no link with the ID %1</source>
        <translation>kein Link mit der ID %1</translation>
    </message>
    <message>
        <source>no e-mail template named &quot;%1&quot;</source>
        <translation>keine E-Mail-Vorlage mit dem Namen „%1“</translation>
    </message>
    <message>
        <source>Print the mailto: address a message to the link&apos;s webmaster would be handed to the mail client with; nothing is saved.</source>
        <translation>Die mailto:-Adresse ausgeben, mit der eine Nachricht an den Webmaster des Links an das E-Mail-Programm übergeben würde; nichts wird gespeichert.</translation>
    </message>
    <message>
        <source>Fill the message from the e-mail template of this name.</source>
        <translation>Die Nachricht aus der E-Mail-Vorlage mit diesem Namen füllen.</translation>
    </message>
    <message>
        <source>The encoding of the address (default: the one chosen in the preferences).</source>
        <translation>Die Kodierung der Adresse (Vorgabe: die in den Einstellungen gewählte).</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>Print every link&apos;s reminders as of today (or the given day), as tab-separated category, link, date and text.</source>
        <translation>Die Erinnerungen aller Links zum heutigen (oder angegebenen) Tag als tabulatorgetrennte Kategorie, Link, Datum und Text ausgeben.</translation>
    </message>
    <message>
        <source>Compute the reminders as of this day instead of today.</source>
        <translation>Die Erinnerungen zu diesem Tag statt zu heute berechnen.</translation>
    </message>
    <message>
        <source>Print the link list to a PDF file (A4 pages).</source>
        <translation>Die Linkliste in eine PDF-Datei drucken (A4-Seiten).</translation>
    </message>
    <message>
        <source>holds no e-mail templates to export</source>
        <translation>enthält keine E-Mail-Vorlagen zum Exportieren</translation>
    </message>
    <message>
        <source>List the e-mail templates, write them to a templates file, or merge a templates file in (FILE.site is written only when something changed).</source>
        <translation>Die E-Mail-Vorlagen auflisten, in eine Vorlagendatei schreiben oder eine Vorlagendatei übernehmen (DATEI.site wird nur geschrieben, wenn sich etwas geändert hat).</translation>
    </message>
    <message>
        <source>With import: keep the templates whose IDs exist already.</source>
        <translation>Bei import: Vorlagen behalten, deren IDs schon vorhanden sind.</translation>
    </message>
    <message>
        <source>With import: replace the templates whose IDs exist already.</source>
        <translation>Bei import: Vorlagen ersetzen, deren IDs schon vorhanden sind.</translation>
    </message>
    <message>
        <source>no link that can be verified has the ID %1</source>
        <translation>kein prüfbarer Link hat die ID %1</translation>
    </message>
    <message>
        <source>Verify only the links with these IDs.</source>
        <translation>Nur die Links mit diesen IDs prüfen.</translation>
    </message>
    <message>
        <source>Store the results in the file.</source>
        <translation>Die Ergebnisse in der Datei speichern.</translation>
    </message>
    <message>
        <source>Give up on a page after S seconds.</source>
        <translation>Eine Seite nach S Sekunden aufgeben.</translation>
    </message>
    <message>
        <source>Print the results as JSON.</source>
        <translation>Die Ergebnisse als JSON ausgeben.</translation>
    </message>
    <message>
        <source>With verify --fail-on-loss: the run lost a link that its previous check had found.</source>
        <translation>Bei verify --fail-on-loss: Der Lauf hat einen Link verloren, den seine vorherige Prüfung gefunden hatte.</translation>
    </message>
    <message>
        <source>Write every link as tab-delimited text for a spreadsheet (with --csv, as export-csv does).</source>
        <translation>Alle Links als tabulatorgetrennten Text für eine Tabellenkalkulation schreiben (mit --csv so wie export-csv).</translation>
    </message>
    <message>
        <source>Write comma-separated values in UTF-8 with a byte-order mark.</source>
        <translation>Kommagetrennte Werte in UTF-8 mit Byte-Order-Mark schreiben.</translation>
    </message>
    <message>
        <source>Write every link as comma-separated values (UTF-8) for a spreadsheet.</source>
        <translation>Alle Links als kommagetrennte Werte (UTF-8) für eine Tabellenkalkulation schreiben.</translation>
    </message>
    <message>
        <source>Print the recorded verification checks, newest first (all links, or one).</source>
        <translation>Die aufgezeichneten Prüfungen ausgeben, die neueste zuerst (aller Links oder eines einzelnen).</translation>
    </message>
    <message>
        <source>Only the checks of this link.</source>
        <translation>Nur die Prüfungen dieses Links.</translation>
    </message>
    <message>
        <source>Print the checks as JSON.</source>
        <translation>Die Prüfungen als JSON ausgeben.</translation>
    </message>
    <message>
        <source>Print the changes as JSON.</source>
        <translation>Die Änderungen als JSON ausgeben.</translation>
    </message>
    <message>
        <source>Add the partners of a CSV or tab-delimited table (a header line names the columns). Rows whose address is known are skipped, or with --update refresh that link. FILE.site is written only when something changed.</source>
        <translation>Die Partner einer CSV- oder tabulatorgetrennten Tabelle hinzufügen (eine Kopfzeile benennt die Spalten). Zeilen, deren Adresse bekannt ist, werden übersprungen oder aktualisieren mit --update diesen Link. DATEI.site wird nur geschrieben, wenn sich etwas geändert hat.</translation>
    </message>
    <message>
        <source>Refresh the links whose address is already known.</source>
        <translation>Die Links aktualisieren, deren Adresse schon bekannt ist.</translation>
    </message>
    <message>
        <source>Read the table in this encoding instead of recognising it.</source>
        <translation>Die Tabelle in dieser Kodierung lesen, statt die Kodierung zu erkennen.</translation>
    </message>
    <message>
        <source>Verify only the links not checked for DAYS days.</source>
        <translation>Nur die Links prüfen, die seit DAYS Tagen nicht geprüft wurden.</translation>
    </message>
    <message>
        <source>Record nothing in the verification history.</source>
        <translation>Nichts im Prüfverlauf aufzeichnen.</translation>
    </message>
    <message>
        <source>Run at most N checks at once (1-64).</source>
        <translation>Höchstens N Prüfungen gleichzeitig ausführen (1-64).</translation>
    </message>
    <message>
        <source>Send at most N requests to one server at once (1-16).</source>
        <translation>Höchstens N Anfragen gleichzeitig an einen Server senden (1-16).</translation>
    </message>
    <message>
        <source>No links are due for verification.</source>
        <translation>Keine Links sind zur Prüfung fällig.</translation>
    </message>
    <message>
        <source>There are no links in this database.</source>
        <translation>Diese Datenbank enthält keine Links.</translation>
    </message>
    <message>
        <source>No links to verify.</source>
        <translation>Keine Links zu prüfen.</translation>
    </message>
    <message>
        <source>Verified %1 of %2, %3 in flight</source>
        <translation>%1 von %2 geprüft, %3 in Arbeit</translation>
    </message>
    <message>
        <source>, 1 host paused</source>
        <translation>, 1 Host pausiert</translation>
    </message>
    <message>
        <source>, %1 hosts paused</source>
        <translation>, %1 Hosts pausiert</translation>
    </message>
    <message>
        <source>Print the links that were lost, moved to another page of the partner&apos;s site, are no longer followed or recovered, and the partner sites that have been unreachable for days.</source>
        <translation>Die Links ausgeben, die verloren gingen, auf eine andere Seite der Partner-Website umzogen, nicht mehr verfolgt werden oder wieder da sind, und die Partner-Websites, die seit Tagen nicht erreichbar sind.</translation>
    </message>
    <message>
        <source>Call a site unreachable when every check of the last N days (1-90) could not load it or was refused.</source>
        <translation>Eine Website als nicht erreichbar melden, wenn jede Prüfung der letzten N Tage (1-90) sie nicht laden konnte oder abgewiesen wurde.</translation>
    </message>
    <message>
        <source>, 1 waiting for a second look</source>
        <translation>, 1 wartet auf einen zweiten Blick</translation>
    </message>
    <message>
        <source>, %1 waiting for a second look</source>
        <translation>, %1 warten auf einen zweiten Blick</translation>
    </message>
    <message>
        <source>Exit with status 3 when the run lost a link: found before, missing twice now and nowhere else on the partner&apos;s site. A site that is down or refuses the check is no loss.</source>
        <translation>Mit Status 3 enden, wenn der Lauf einen Link verloren hat: vorher gefunden, jetzt zweimal fehlend und nirgends sonst auf der Partner-Website. Eine Website, die ausgefallen ist oder die Prüfung abweist, ist kein Verlust.</translation>
    </message>
    <message>
        <source>Wait S seconds (0-600) before looking again for a link that went missing.</source>
        <translation>S Sekunden (0-600) warten, bevor ein fehlender Link noch einmal gesucht wird.</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>Every partner is on the page as it should be.</source>
        <translation>Jeder Partner steht so auf der Seite, wie er soll.</translation>
    </message>
    <message>
        <source>Read the own links page from the web (and its category pages) and list each partner that is missing, hidden or nofollow there, or there though Blocked or not to be published. Exit status 3 when something was found, 2 when a page cannot be read; the history keeps the result.</source>
        <translation>Die eigene Linkseite (und ihre Kategorieseiten) aus dem Web lesen und jeden Partner auflisten, der dort fehlt, verborgen oder nofollow ist, oder dort steht, obwohl er gesperrt ist oder nicht veröffentlicht werden soll. Rückgabewert 3, wenn etwas gefunden wurde, 2, wenn eine Seite nicht gelesen werden kann; der Verlauf bewahrt das Ergebnis.</translation>
    </message>
    <message>
        <source>Print the findings as JSON objects with linkID, title, problem and page.</source>
        <translation>Die Befunde als JSON-Objekte mit linkID, title, problem und page ausgeben.</translation>
    </message>
    <message>
        <source>no destination to publish to: set one up in the window (File &gt; Publish Links Page) or name it with --to</source>
        <translation>kein Ziel zum Veröffentlichen: richten Sie eines im Fenster ein (Datei &gt; Linkseite veröffentlichen) oder nennen Sie es mit --to</translation>
    </message>
    <message>
        <source>No password for %1 (%2); set QUILLMARSH_PUBLISH_PASSWORD or store it from the window.</source>
        <translation>Kein Kennwort für %1 (%2); setzen Sie QUILLMARSH_PUBLISH_PASSWORD oder speichern Sie es im Fenster.</translation>
    </message>
    <message>
        <source>The links page cannot be exported. %1</source>
        <translation>Die Linkseite kann nicht exportiert werden. %1</translation>
    </message>
    <message>
        <source>To trust this server, run the command again with --accept-host-key %1</source>
        <translation>Um diesem Server zu vertrauen, führen Sie den Befehl erneut mit --accept-host-key %1 aus</translation>
    </message>
    <message>
        <source>Publish there instead of the database&apos;s destination (sftp://USER@HOST:PORT/FOLDER, /~/FOLDER for the home folder, or ftps://USER@HOST:PORT/FOLDER).</source>
        <translation>Dorthin statt an das Ziel der Datenbank veröffentlichen (sftp://BENUTZER@HOST:PORT/ORDNER, /~/ORDNER für den persönlichen Ordner, oder ftps://BENUTZER@HOST:PORT/ORDNER).</translation>
    </message>
    <message>
        <source>Log in over SFTP with this private key.</source>
        <translation>Über SFTP mit diesem privaten Schlüssel anmelden.</translation>
    </message>
    <message>
        <source>Trust the server whose key has this fingerprint: an unknown SSH host key is added to ~/.ssh/known_hosts, an FTPS certificate&apos;s key is pinned. A changed host key is always refused.</source>
        <translation>Dem Server vertrauen, dessen Schlüssel diesen Fingerabdruck hat: ein unbekannter SSH-Hostschlüssel wird in ~/.ssh/known_hosts aufgenommen, der Schlüssel eines FTPS-Zertifikats wird festgelegt. Ein geänderter Hostschlüssel wird immer abgewiesen.</translation>
    </message>
    <message>
        <source>List what would be sent; send nothing.</source>
        <translation>Auflisten, was gesendet würde; nichts senden.</translation>
    </message>
    <message>
        <source>Print JSON objects with file, state (sent, unchanged, failed, would-send) and reason.</source>
        <translation>JSON-Objekte mit file, state (sent, unchanged, failed, would-send) und reason ausgeben.</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>kann nicht schreiben: %1</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the folder %1 is read-only</source>
        <translation>der Ordner %1 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>A file cannot be read or written, or the mail account cannot be used; one line on standard error says why.</source>
        <translation>Eine Datei kann nicht gelesen oder geschrieben werden, oder das E-Mail-Konto kann nicht benutzt werden; eine Zeile auf der Standardfehlerausgabe nennt den Grund.</translation>
    </message>
    <message>
        <source>With send: some message was refused or could not be sent; the others went, and the log says why.</source>
        <translation>Bei send: Eine Nachricht wurde abgelehnt oder konnte nicht gesendet werden; die anderen wurden gesendet, und das Protokoll nennt den Grund.</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>%1 is not a server of the kind this option names.</source>
        <translation>%1 ist kein Server der Art, die diese Option nennt.</translation>
    </message>
    <message>
        <source>No sender address: set one in the Mail preferences or give --from &quot;Name &lt;address&gt;&quot;.</source>
        <translation>Keine Absenderadresse: Legen Sie eine in den E-Mail-Einstellungen fest oder geben Sie --from &quot;Name &lt;Adresse&gt;&quot; an.</translation>
    </message>
    <message>
        <source>No password for %1 on %2: keep it in the desktop keyring from the Mail preferences, or set %3.</source>
        <translation>Kein Passwort für %1 auf %2: Hinterlegen Sie es über die E-Mail-Einstellungen im Schlüsselbund der Arbeitsumgebung oder setzen Sie %3.</translation>
    </message>
    <message>
        <source>no such database file</source>
        <translation>keine solche Datenbankdatei</translation>
    </message>
    <message>
        <source>Print the message log, newest first (all links, or one): what was sent to whom and when, what failed and why, and what was answered.</source>
        <translation>Das Nachrichtenprotokoll ausgeben, die neueste zuerst (aller Links oder eines einzelnen): was wann an wen ging, was warum scheiterte und was beantwortet wurde.</translation>
    </message>
    <message>
        <source>Only the messages to this link.</source>
        <translation>Nur die Nachrichten an diesen Link.</translation>
    </message>
    <message>
        <source>Print the messages as JSON.</source>
        <translation>Die Nachrichten als JSON ausgeben.</translation>
    </message>
    <message>
        <source>Read the mailbox (read-only) for replies to the messages sent, mark the answered ones replied and print them.</source>
        <translation>Das Postfach (nur lesend) nach Antworten auf die gesendeten Nachrichten durchsuchen, die beantworteten als beantwortet markieren und ausgeben.</translation>
    </message>
    <message>
        <source>The IMAP server (default: the one of the Mail preferences); its password comes from QUILLMARSH_IMAP_PASSWORD or the keyring.</source>
        <translation>Der IMAP-Server (Vorgabe: der aus den E-Mail-Einstellungen); sein Passwort kommt aus QUILLMARSH_IMAP_PASSWORD oder dem Schlüsselbund.</translation>
    </message>
    <message>
        <source>Secure an imap:// connection with STARTTLS.</source>
        <translation>Eine imap://-Verbindung mit STARTTLS sichern.</translation>
    </message>
    <message>
        <source>Print the replies as JSON.</source>
        <translation>Die Antworten als JSON ausgeben.</translation>
    </message>
    <message>
        <source>--today needs a date of the form YYYY-MM-DD</source>
        <translation>--today braucht ein Datum der Form JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>The SMTP server (default: the one of the Mail preferences); its password comes from QUILLMARSH_SMTP_PASSWORD or the keyring.</source>
        <translation>Der SMTP-Server (Vorgabe: der aus den E-Mail-Einstellungen); sein Passwort kommt aus QUILLMARSH_SMTP_PASSWORD oder dem Schlüsselbund.</translation>
    </message>
    <message>
        <source>Secure a smtp:// or imap:// connection with STARTTLS (without it, only a server on this computer is used unencrypted).</source>
        <translation>Eine smtp://- oder imap://-Verbindung mit STARTTLS sichern (ohne diese Option wird nur ein Server auf diesem Computer unverschlüsselt benutzt).</translation>
    </message>
    <message>
        <source>The sender (default: the one of the Mail preferences).</source>
        <translation>Der Absender (Vorgabe: der aus den E-Mail-Einstellungen).</translation>
    </message>
    <message>
        <source>Send a message from a template to links, to the links lost since their last check, or the follow-ups that are due; each is kept in the message log, and a New link written to becomes Negotiating.</source>
        <translation>Eine Nachricht aus einer Vorlage an Links senden, an die seit ihrer letzten Prüfung verlorenen Links oder die fälligen Nachfassnachrichten; jede wird im Nachrichtenprotokoll festgehalten, und ein neuer Link, an den geschrieben wird, wechselt zu „In Verhandlung“.</translation>
    </message>
    <message>
        <source>The e-mail template to write with.</source>
        <translation>Die E-Mail-Vorlage, mit der geschrieben wird.</translation>
    </message>
    <message>
        <source>The links to write to (those without an address are skipped).</source>
        <translation>Die Links, an die geschrieben wird (solche ohne Adresse werden übersprungen).</translation>
    </message>
    <message>
        <source>Write to the links whose latest check lost the link (once per loss).</source>
        <translation>An die Links schreiben, deren letzte Prüfung den Link verloren hat (einmal je Verlust).</translation>
    </message>
    <message>
        <source>Send the follow-ups that are due.</source>
        <translation>Die fälligen Nachfassnachrichten senden.</translation>
    </message>
    <message>
        <source>The day the follow-ups are due on (default: today).</source>
        <translation>Der Tag, zu dem die Nachfassnachrichten fällig sind (Vorgabe: heute).</translation>
    </message>
    <message>
        <source>List what would be sent (state &quot;due&quot;); send, log and change nothing.</source>
        <translation>Auflisten, was gesendet würde (Zustand &quot;due&quot;); nichts senden, protokollieren oder ändern.</translation>
    </message>
    <message>
        <source>no keyring runs</source>
        <translation>es läuft kein Schlüsselbund</translation>
    </message>
    <message>
        <source>the keyring has none</source>
        <translation>der Schlüsselbund hat keines</translation>
    </message>
    <message>
        <source>Upload the files of the links page that changed since the last publish to the web server over SFTP or FTPS, each to a temporary name and then into place. The password comes from the desktop keyring or QUILLMARSH_PUBLISH_PASSWORD; QUILLMARSH_PUBLISH_CA_FILE may name a PEM file of certificate authorities that FTPS servers are also trusted by. Exit status 4 when a file could not be sent.</source>
        <translation>Die seit der letzten Veröffentlichung geänderten Dateien der Linkseite über SFTP oder FTPS auf den Webserver laden, jede zuerst unter einem vorläufigen Namen und dann an ihren Platz. Das Kennwort kommt aus dem Schlüsselbund der Arbeitsumgebung oder aus QUILLMARSH_PUBLISH_PASSWORD; QUILLMARSH_PUBLISH_CA_FILE kann eine PEM-Datei mit Zertifizierungsstellen nennen, über die FTPS-Servern zusätzlich vertraut wird. Rückgabewert 4, wenn eine Datei nicht gesendet werden konnte.</translation>
    </message>
    <message>
        <source>Check link partners over HTTP (all verifiable links, or the given IDs, or those not checked for DAYS days); with --save, store the results in the file. Every check is recorded in FILE.site-history; when another program holds it, the command waits up to 20 seconds at the end and says how many checks could not be recorded.</source>
        <translation>Linkpartner über HTTP prüfen (alle prüfbaren Links, die angegebenen IDs oder die seit DAYS Tagen nicht geprüften); mit --save die Ergebnisse in der Datei speichern. Jede Prüfung wird in DATEI.site-history aufgezeichnet; hält ein anderes Programm sie gesperrt, wartet der Befehl am Ende bis zu 20 Sekunden und sagt, wie viele Prüfungen nicht aufgezeichnet werden konnten.</translation>
    </message>
    <message>
        <source>--view keeps the links of one of the window&apos;s views: lost, not-followed, not-checked:DAYS, never-checked, unreachable or reminders.</source>
        <translation>--view behält die Links einer der Ansichten des Fensters: lost, not-followed, not-checked:DAYS, never-checked, unreachable oder reminders.</translation>
    </message>
    <message>
        <source>Print the links matching all (or any) of up to ten conditions and the chosen view, in the window&apos;s order, as tab-separated lines.</source>
        <translation>Die Links, die alle (oder eine) von bis zu zehn Bedingungen und die gewählte Ansicht erfüllen, in der Reihenfolge des Fensters als durch Tabulatoren getrennte Zeilen ausgeben.</translation>
    </message>
    <message>
        <source>Keep only the links of one of the window&apos;s views: lost, found but not followed, not checked for DAYS days (or never), never checked, unreachable at the last check, or with a reminder due today.</source>
        <translation>Nur die Links einer der Ansichten des Fensters behalten: verloren, gefunden, aber nicht gefolgt, seit DAYS Tagen (oder nie) nicht geprüft, nie geprüft, bei der letzten Prüfung nicht erreichbar oder mit einer heute fälligen Erinnerung.</translation>
    </message>
</context>
<context>
    <name>Codes</name>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Negotiating</source>
        <translation>In Verhandlung</translation>
    </message>
    <message>
        <source>Approved</source>
        <translation>Bestätigt</translation>
    </message>
    <message>
        <source>Blocked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Erhalten</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Verified successfully.</source>
        <translation>Erfolgreich geprüft.</translation>
    </message>
    <message>
        <source>Partner site does not respond.</source>
        <translation>Die Partner-Website antwortet nicht.</translation>
    </message>
    <message>
        <source>Links page cannot be loaded.</source>
        <translation>Die Linkseite kann nicht geladen werden.</translation>
    </message>
    <message>
        <source>Reciprocal link cannot be found.</source>
        <translation>Der Gegenlink wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Marked as verified.</source>
        <translation>Als geprüft markiert.</translation>
    </message>
    <message>
        <source>Links page URL is not specified.</source>
        <translation>Die Linkseiten-URL ist nicht angegeben.</translation>
    </message>
    <message>
        <source>Verified successfully</source>
        <translation>Erfolgreich geprüft</translation>
    </message>
    <message>
        <source>Partner site does not respond</source>
        <translation>Partner-Website antwortet nicht</translation>
    </message>
    <message>
        <source>Links page cannot be loaded</source>
        <translation>Linkseite kann nicht geladen werden</translation>
    </message>
    <message>
        <source>Reciprocal link not found</source>
        <translation>Gegenlink nicht gefunden</translation>
    </message>
    <message>
        <source>Links page URL not specified</source>
        <translation>Linkseiten-URL nicht angegeben</translation>
    </message>
    <message>
        <source>Not verified</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message>
        <source>Marked as verified (no check)</source>
        <translation>Von Hand als geprüft markiert (keine Prüfung)</translation>
    </message>
</context>
<context>
    <name>CollectionManager</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
</context>
<context>
    <name>CountLinksDialog</name>
    <message>
        <source>Count Links</source>
        <translation>Links zählen</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>New:</source>
        <translation>Neu:</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Negotiating:</source>
        <translation>In Verhandlung:</translation>
    </message>
    <message>
        <source>Approved:</source>
        <translation>Bestätigt:</translation>
    </message>
    <message>
        <source>Blocked:</source>
        <translation>Gesperrt:</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>Gesamt:</translation>
    </message>
</context>
<context>
    <name>CsvSpreadsheetBuilder</name>
    <message>
        <source>Last Verification Result</source>
        <translation>Ergebnis der letzten Prüfung</translation>
    </message>
</context>
<context>
    <name>CurlMailHandle</name>
    <message>
        <source>The certificate of %1 cannot be trusted (%2). Its SHA-256 fingerprint is %3.</source>
        <translation>Dem Zertifikat von %1 kann nicht vertraut werden (%2). Sein SHA-256-Fingerabdruck ist %3.</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
</context>
<context>
    <name>DatabaseLock</name>
    <message>
        <source>it is a symbolic link</source>
        <translation>sie ist ein symbolischer Link</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>process %1 on %2</source>
        <translation>Prozess %1 auf %2</translation>
    </message>
    <message>
        <source>%1, lock file %2</source>
        <translation>%1, Sperrdatei %2</translation>
    </message>
    <message>
        <source>another command is writing the database (%1); try again when it has ended</source>
        <translation>ein anderer Befehl schreibt die Datenbank (%1); versuchen Sie es erneut, wenn er beendet ist</translation>
    </message>
    <message>
        <source>the database is open in another window (%1); close it there and try again</source>
        <translation>die Datenbank ist in einem anderen Fenster geöffnet (%1); schließen Sie sie dort und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>the lock file %1 cannot be used: %2; remove it if no window has the database open</source>
        <translation>die Sperrdatei %1 kann nicht verwendet werden: %2; entfernen Sie sie, wenn kein Fenster die Datenbank geöffnet hat</translation>
    </message>
    <message>
        <source>the lock file %1 cannot be made</source>
        <translation>die Sperrdatei %1 kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>DateTexts</name>
    <message>
        <source>MM DD, YYYY</source>
        <translation>DD. MM YYYY</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
    <message>
        <source>Jan</source>
        <translation>Jan.</translation>
    </message>
    <message>
        <source>Feb</source>
        <translation>Feb.</translation>
    </message>
    <message>
        <source>Mar</source>
        <translation>März</translation>
    </message>
    <message>
        <source>Apr</source>
        <translation>Apr.</translation>
    </message>
    <message>
        <source>May</source>
        <comment>short month name</comment>
        <translation>Mai</translation>
    </message>
    <message>
        <source>Jun</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>Jul</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>Aug</source>
        <translation>Aug.</translation>
    </message>
    <message>
        <source>Sep</source>
        <translation>Sep.</translation>
    </message>
    <message>
        <source>Oct</source>
        <translation>Okt.</translation>
    </message>
    <message>
        <source>Nov</source>
        <translation>Nov.</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>Dez.</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>1 reciprocal link was lost</source>
        <translation>1 Gegenlink ging verloren</translation>
    </message>
    <message>
        <source>%1 reciprocal links were lost</source>
        <translation>%1 Gegenlinks gingen verloren</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>1 partner site unreachable for days</source>
        <translation>1 Partner-Website seit Tagen nicht erreichbar</translation>
    </message>
    <message>
        <source>%1 partner sites unreachable for days</source>
        <translation>%1 Partner-Websites seit Tagen nicht erreichbar</translation>
    </message>
    <message>
        <source>unreachable: %1</source>
        <translation>nicht erreichbar: %1</translation>
    </message>
</context>
<context>
    <name>DetailsTexts</name>
    <message>
        <source>Link found, not followed (nofollow)</source>
        <translation>Link gefunden, wird nicht verfolgt (nofollow)</translation>
    </message>
    <message>
        <source>Verified: %1</source>
        <translation>Geprüft: %1</translation>
    </message>
    <message>
        <source>Never checked</source>
        <translation>Nie geprüft</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>DetailsView</name>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>Edit this link</source>
        <translation>Diesen Link bearbeiten</translation>
    </message>
    <message>
        <source>Exchange...</source>
        <translation>Linktausch...</translation>
    </message>
    <message>
        <source>Show the exchange information</source>
        <translation>Die Angaben zum Linktausch anzeigen</translation>
    </message>
    <message>
        <source>Notifications...</source>
        <translation>Benachrichtigungen...</translation>
    </message>
    <message>
        <source>Show all notifications of this link</source>
        <translation>Alle Benachrichtigungen dieses Links anzeigen</translation>
    </message>
    <message>
        <source>Visit</source>
        <translation>Besuchen</translation>
    </message>
    <message>
        <source>Open the partner&apos;s site in the browser</source>
        <translation>Die Website des Partners im Browser öffnen</translation>
    </message>
    <message>
        <source>Open the partner&apos;s links page in the browser</source>
        <translation>Die Linkseite des Partners im Browser öffnen</translation>
    </message>
    <message>
        <source>Notes...</source>
        <translation>Notizen...</translation>
    </message>
    <message>
        <source>Show the notes of this link</source>
        <translation>Die Notizen dieses Links anzeigen</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>Nachricht senden</translation>
    </message>
    <message>
        <source>Write to the partner&apos;s webmaster</source>
        <translation>An den Webmaster des Partners schreiben</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>URL:</translation>
    </message>
    <message>
        <source>Links page:</source>
        <translation>Linkseite:</translation>
    </message>
    <message>
        <source>My category:</source>
        <translation>Meine Kategorie:</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>Kontakt:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notizen:</translation>
    </message>
    <message>
        <source>Keywords:</source>
        <translation>Stichwörter:</translation>
    </message>
    <message>
        <source>Not given</source>
        <translation>Nicht angegeben</translation>
    </message>
    <message>
        <source>Last check:</source>
        <translation>Letzte Prüfung:</translation>
    </message>
    <message>
        <source>Last contact:</source>
        <translation>Letzter Kontakt:</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Untitled %1</source>
        <translation>Unbenannt %1</translation>
    </message>
    <message>
        <source>Not saved automatically: the file &quot;%1&quot; was changed or removed by another program.</source>
        <translation>Nicht automatisch gespeichert: Die Datei „%1“ wurde von einem anderen Programm geändert oder entfernt.</translation>
    </message>
    <message>
        <source>The verification history %1 cannot be copied. %2</source>
        <translation>Der Prüfverlauf %1 kann nicht kopiert werden. %2</translation>
    </message>
</context>
<context>
    <name>DocumentController</name>
    <message>
        <source>%1

File: %2</source>
        <translation>%1

Datei: %2</translation>
    </message>
    <message>
        <source>This file only contains e-mail templates.</source>
        <translation>Diese Datei enthält nur E-Mail-Vorlagen.</translation>
    </message>
    <message>
        <source>In order to use this file, you must import it into an open links database by selecting Tools: E-mail Templates.</source>
        <translation>Um diese Datei zu verwenden, importieren Sie sie über Extras: E-Mail-Vorlagen in eine geöffnete Linkdatenbank.</translation>
    </message>
    <message>
        <source>The document &quot;%1&quot; could not be opened.</source>
        <translation>Das Dokument „%1“ konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Links databases (*.site);;All files (*)</source>
        <translation>Linkdatenbanken (*.site);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The document &quot;%1&quot; is open in another window.</source>
        <translation>Das Dokument „%1“ ist in einem anderen Fenster geöffnet.</translation>
    </message>
    <message>
        <source>Whichever window saves last replaces what the other saved. Open it read-only to look without that risk; Save then asks for another file.</source>
        <translation>Das Fenster, das zuletzt speichert, ersetzt, was das andere gespeichert hat. Öffnen Sie es schreibgeschützt, um es ohne dieses Risiko anzusehen; „Speichern“ fragt dann nach einer anderen Datei.</translation>
    </message>
    <message>
        <source>Open Read-Only</source>
        <translation>Schreibgeschützt öffnen</translation>
    </message>
    <message>
        <source>Open Anyway</source>
        <translation>Trotzdem öffnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Lock file: %1</source>
        <translation>Sperrdatei: %1</translation>
    </message>
    <message>
        <source>The document &quot;%1&quot; cannot be locked.</source>
        <translation>Das Dokument „%1“ kann nicht gesperrt werden.</translation>
    </message>
    <message>
        <source>Its lock file %1 is not a regular file, so Quillmarsh cannot tell whether another window has the document open. Open it read-only, or remove the lock file and open the document again.</source>
        <translation>Seine Sperrdatei %1 ist keine gewöhnliche Datei, daher kann Quillmarsh nicht erkennen, ob ein anderes Fenster das Dokument geöffnet hat. Öffnen Sie es schreibgeschützt, oder entfernen Sie die Sperrdatei und öffnen Sie das Dokument erneut.</translation>
    </message>
</context>
<context>
    <name>DocumentFileGuard</name>
    <message>
        <source>The file &quot;%1&quot; was deleted or moved away.</source>
        <translation>Die Datei „%1“ wurde gelöscht oder verschoben.</translation>
    </message>
    <message>
        <source>Choose Save As to save the document under another name, or Save to write it again where it was.</source>
        <translation>Wählen Sie „Speichern unter“, um das Dokument unter einem anderen Namen zu speichern, oder „Speichern“, um es wieder an seinem bisherigen Ort zu schreiben.</translation>
    </message>
    <message>
        <source>Save As…</source>
        <translation>Speichern unter…</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program.</source>
        <translation>Die Datei „%1“ wurde von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>Reload discards the changes in this window and reads the file again. Save Anyway replaces what the other program wrote.</source>
        <translation>„Neu laden“ verwirft die Änderungen in diesem Fenster und liest die Datei erneut. „Trotzdem speichern“ ersetzt, was das andere Programm geschrieben hat.</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation>Trotzdem speichern</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program and was read again.</source>
        <translation>Die Datei „%1“ wurde von einem anderen Programm geändert und neu eingelesen.</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>%n weitere</numerusform>
            <numerusform>%n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Reloading reads the file &quot;%1&quot; as the other program left it. The changes made in this window since it was last saved are lost and cannot be undone.</source>
        <translation>Beim Neuladen wird die Datei „%1“ so gelesen, wie das andere Programm sie hinterlassen hat. Die Änderungen, die in diesem Fenster seit dem letzten Sichern gemacht wurden, gehen verloren und können nicht widerrufen werden.</translation>
    </message>
    <message numerus="yes">
        <source>Reloading reads the file &quot;%1&quot; as the other program left it. The %n change(s) made in this window since it was last saved are lost and cannot be undone.</source>
        <translation>
            <numerusform>Beim Neuladen wird die Datei „%1“ so gelesen, wie das andere Programm sie hinterlassen hat. Die %n Änderung, die in diesem Fenster seit dem letzten Sichern gemacht wurde, geht verloren und kann nicht widerrufen werden.</numerusform>
            <numerusform>Beim Neuladen wird die Datei „%1“ so gelesen, wie das andere Programm sie hinterlassen hat. Die %n Änderungen, die in diesem Fenster seit dem letzten Sichern gemacht wurden, gehen verloren und können nicht widerrufen werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Lost: %1.</source>
        <translation>Verloren: %1.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Discard your changes and reload?</source>
        <translation>Ihre Änderungen verwerfen und neu laden?</translation>
    </message>
    <message>
        <source>Discard and Reload</source>
        <translation>Verwerfen und neu laden</translation>
    </message>
</context>
<context>
    <name>DocumentMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Links Database...</source>
        <translation>&amp;Neue Linkdatenbank...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Re&amp;vert to Saved</source>
        <translation>Auf gespeicherte Version &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>Print Previe&amp;w...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Export as PDF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Zuletzt &amp;geöffnet</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>A&amp;usschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Edit Selection</source>
        <translation>Auswahl &amp;bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete Selection</source>
        <translation>Auswahl &amp;löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Preference&amp;s...</source>
        <translation>Einstellu&amp;ngen...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>S&amp;witch Between Lists</source>
        <translation>Zwischen Listen &amp;wechseln</translation>
    </message>
    <message>
        <source>&amp;Details Pane</source>
        <translation>&amp;Detailbereich</translation>
    </message>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Kategorie</translation>
    </message>
    <message>
        <source>New &amp;Category...</source>
        <translation>Neue &amp;Kategorie...</translation>
    </message>
    <message>
        <source>Create a new category</source>
        <translation>Eine neue Kategorie anlegen</translation>
    </message>
    <message>
        <source>&amp;Edit Category...</source>
        <translation>Kategorie &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Delete Category...</source>
        <translation>Kategorie &amp;löschen...</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>&amp;Link</translation>
    </message>
    <message>
        <source>&amp;New Link...</source>
        <translation>&amp;Neuer Link...</translation>
    </message>
    <message>
        <source>Create a new link</source>
        <translation>Einen neuen Link anlegen</translation>
    </message>
    <message>
        <source>&amp;Instant Link...</source>
        <translation>&amp;Schnell-Link...</translation>
    </message>
    <message>
        <source>Quickly create a new link</source>
        <translation>Schnell einen neuen Link anlegen</translation>
    </message>
    <message>
        <source>&amp;Edit Link...</source>
        <translation>Link &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Show E&amp;xchange Information...</source>
        <translation>&amp;Tauschangaben anzeigen...</translation>
    </message>
    <message>
        <source>Show N&amp;otifications...</source>
        <translation>Benachrichtigungen an&amp;zeigen...</translation>
    </message>
    <message>
        <source>Show No&amp;tes...</source>
        <translation>N&amp;otizen anzeigen...</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Ne&amp;gotiating</source>
        <translation>&amp;In Verhandlung</translation>
    </message>
    <message>
        <source>&amp;Approved</source>
        <translation>&amp;Bestätigt</translation>
    </message>
    <message>
        <source>&amp;Blocked</source>
        <translation>&amp;Gesperrt</translation>
    </message>
    <message>
        <source>Mar&amp;k as Verified</source>
        <translation>Als geprüft &amp;markieren</translation>
    </message>
    <message>
        <source>&amp;Verify Link...</source>
        <translation>Link &amp;prüfen...</translation>
    </message>
    <message>
        <source>Verify &amp;All Links...</source>
        <translation>&amp;Alle Links prüfen...</translation>
    </message>
    <message>
        <source>Verify link exchanges</source>
        <translation>Linktausch prüfen</translation>
    </message>
    <message>
        <source>Visit &amp;Web Site</source>
        <translation>&amp;Website besuchen</translation>
    </message>
    <message>
        <source>Visit &amp;Links Page</source>
        <translation>&amp;Linkseite besuchen</translation>
    </message>
    <message>
        <source>&amp;Blank Message</source>
        <translation>&amp;Leere Nachricht</translation>
    </message>
    <message>
        <source>New E-mail &amp;Template...</source>
        <translation>Neue E-Mail-&amp;Vorlage...</translation>
    </message>
    <message>
        <source>&amp;Delete Link...</source>
        <translation>Link lösc&amp;hen...</translation>
    </message>
    <message>
        <source>&amp;Status</source>
        <translation>Stat&amp;us</translation>
    </message>
    <message>
        <source>Send &amp;Message</source>
        <translation>Nachricht s&amp;enden</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Site Info...</source>
        <translation>&amp;Website-Informationen...</translation>
    </message>
    <message>
        <source>Edit information about your web site</source>
        <translation>Die Angaben zu Ihrer Website bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Notification Settings...</source>
        <translation>&amp;Benachrichtigungseinstellungen...</translation>
    </message>
    <message>
        <source>&amp;E-mail Templates...</source>
        <translation>&amp;E-Mail-Vorlagen...</translation>
    </message>
    <message>
        <source>Links &amp;Page Setup...</source>
        <translation>&amp;Linkseite einrichten...</translation>
    </message>
    <message>
        <source>&amp;Import Links...</source>
        <translation>Links i&amp;mportieren...</translation>
    </message>
    <message>
        <source>&amp;Copy Links Page</source>
        <translation>Linkseite &amp;kopieren</translation>
    </message>
    <message>
        <source>Copy Ca&amp;tegory Page</source>
        <translation>Kategorie&amp;seite kopieren</translation>
    </message>
    <message>
        <source>Copy St&amp;yles</source>
        <translation>S&amp;tile kopieren</translation>
    </message>
    <message>
        <source>E&amp;xport Links Page...</source>
        <translation>Linkseite e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Generate HTML code for your links page</source>
        <translation>HTML-Code für Ihre Linkseite erzeugen</translation>
    </message>
    <message>
        <source>Copy Sp&amp;readsheet</source>
        <translation>T&amp;abelle kopieren</translation>
    </message>
    <message>
        <source>Export Spreads&amp;heet...</source>
        <translation>Tabelle ex&amp;portieren...</translation>
    </message>
    <message>
        <source>C&amp;ount Links...</source>
        <translation>Links &amp;zählen...</translation>
    </message>
    <message>
        <source>St&amp;atistics...</source>
        <translation>Stat&amp;istik...</translation>
    </message>
    <message>
        <source>Show statistics about this links database</source>
        <translation>Statistik zu dieser Linkdatenbank anzeigen</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimieren</translation>
    </message>
    <message>
        <source>&amp;Welcome Window...</source>
        <translation>&amp;Willkommensfenster...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Quillmarsh &amp;Help</source>
        <translation>Quillmarsh-&amp;Hilfe</translation>
    </message>
    <message>
        <source>Quillmarsh Help</source>
        <translation>Quillmarsh-Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;Tutorial</source>
        <translation>&amp;Einführung</translation>
    </message>
    <message>
        <source>&amp;Read Me</source>
        <translation>Lies&amp;mich</translation>
    </message>
    <message>
        <source>&amp;Licence</source>
        <translation>&amp;Lizenz</translation>
    </message>
    <message>
        <source>The GNU General Public License, under which Quillmarsh is free software</source>
        <translation>Die GNU General Public License, unter der Quillmarsh freie Software ist</translation>
    </message>
    <message>
        <source>&amp;About Quillmarsh</source>
        <translation>Ü&amp;ber Quillmarsh</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Werkzeug&amp;leiste</translation>
    </message>
    <message>
        <source>&amp;Clear Menu</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Site Info</source>
        <translation>Website-Info</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>New Link</source>
        <translation>Neuer Link</translation>
    </message>
    <message>
        <source>Verify Links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find a link</source>
        <translation>Einen Link suchen</translation>
    </message>
    <message>
        <source>Show Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print the link list</source>
        <translation>Die Linkliste drucken</translation>
    </message>
    <message>
        <source>Export Links Page</source>
        <translation>Linkseite exportieren</translation>
    </message>
    <message>
        <source>Instant Link</source>
        <translation>Schnell-Link</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Icon and Text</source>
        <translation>Symbol und Text</translation>
    </message>
    <message>
        <source>Icon Only</source>
        <translation>Nur Symbol</translation>
    </message>
    <message>
        <source>Text Only</source>
        <translation>Nur Text</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>&amp;Partners from Spreadsheet…</source>
        <translation>&amp;Partner aus Tabelle…</translation>
    </message>
    <message>
        <source>Add link partners from a CSV or tab-delimited table</source>
        <translation>Linkpartner aus einer CSV- oder tabulatorgetrennten Tabelle hinzufügen</translation>
    </message>
    <message>
        <source>Export Spreadsheet as CS&amp;V...</source>
        <translation>Tabelle als CS&amp;V exportieren...</translation>
    </message>
    <message>
        <source>Write every link as comma-separated values</source>
        <translation>Alle Links als kommagetrennte Werte schreiben</translation>
    </message>
    <message>
        <source>&amp;Lost Links...</source>
        <translation>Ve&amp;rlorene Links...</translation>
    </message>
    <message>
        <source>Pu&amp;blish Links Page...</source>
        <translation>&amp;Linkseite veröffentlichen...</translation>
    </message>
    <message>
        <source>Send the links page to your web server over SFTP or FTPS</source>
        <translation>Die Linkseite über SFTP oder FTPS an Ihren Webserver senden</translation>
    </message>
    <message>
        <source>Chec&amp;k My Links Page...</source>
        <translation>Meine Linkseite prü&amp;fen...</translation>
    </message>
    <message>
        <source>Read the published links page from the web and list the partners it gets wrong</source>
        <translation>Die veröffentlichte Linkseite aus dem Web lesen und die Partner auflisten, die dort falsch stehen</translation>
    </message>
    <message>
        <source>Show the links that were lost, moved, recovered or no longer followed, and the sites unreachable for days</source>
        <translation>Die Links zeigen, die verloren gingen, umzogen, wieder da sind oder nicht mehr verfolgt werden, und die Websites, die seit Tagen nicht erreichbar sind</translation>
    </message>
    <message>
        <source>Send Message to Sele&amp;cted Links...</source>
        <translation>Nachricht an ausgewählte Links sen&amp;den...</translation>
    </message>
    <message>
        <source>Send one template to every selected partner from this application</source>
        <translation>Eine Vorlage aus dieser Anwendung an jeden ausgewählten Partner senden</translation>
    </message>
    <message>
        <source>Out&amp;box...</source>
        <translation>P&amp;ostausgang...</translation>
    </message>
    <message>
        <source>Show the messages waiting to go, those that failed and the follow-ups due</source>
        <translation>Die wartenden, die fehlgeschlagenen und die fälligen Folgenachrichten zeigen</translation>
    </message>
    <message>
        <source>Check &amp;for Replies</source>
        <translation>Auf A&amp;ntworten prüfen</translation>
    </message>
    <message>
        <source>Read the mailbox for partners&apos; answers to the messages sent</source>
        <translation>Das Postfach nach Antworten der Partner auf gesendete Nachrichten lesen</translation>
    </message>
    <message>
        <source>Fi&amp;lter Links</source>
        <translation>Links &amp;filtern</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>&amp;Erinnerungen</translation>
    </message>
    <message>
        <source>Move to Cate&amp;gory...</source>
        <translation>In &amp;Kategorie verschieben...</translation>
    </message>
    <message>
        <source>Move the selected links to another category</source>
        <translation>Die ausgewählten Links in eine andere Kategorie verschieben</translation>
    </message>
</context>
<context>
    <name>DocumentUndo</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>Wieder&amp;herstellen: %1</translation>
    </message>
</context>
<context>
    <name>DueRemindersModel</name>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
</context>
<context>
    <name>EmailComposer</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>John</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Smith</source>
        <translation>Mustermann</translation>
    </message>
    <message>
        <source>John Smith&apos;s web site.</source>
        <translation>Die Website von Max Mustermann.</translation>
    </message>
    <message>
        <source>Some Site</source>
        <translation>Beispiel-Website</translation>
    </message>
    <message>
        <source>This is John Smith&apos;s web site.</source>
        <translation>Dies ist die Website von Max Mustermann.</translation>
    </message>
    <message>
        <source>Greatest Sites</source>
        <translation>Die besten Websites</translation>
    </message>
    <message>
        <source>To: %1</source>
        <translation>An: %1</translation>
    </message>
    <message>
        <source>Subject: %1</source>
        <translation>Betreff: %1</translation>
    </message>
</context>
<context>
    <name>EmailTemplateDialog</name>
    <message>
        <source>E-mail Template</source>
        <translation>E-Mail-Vorlage</translation>
    </message>
    <message>
        <source>&amp;Name*:</source>
        <translation>&amp;Name*:</translation>
    </message>
    <message>
        <source>&amp;Subject*:</source>
        <translation>&amp;Betreff*:</translation>
    </message>
    <message>
        <source>&amp;Body*:</source>
        <translation>&amp;Text*:</translation>
    </message>
    <message>
        <source>Placeholders in the subject and body are replaced by the partner&apos;s and your own values when you write to a partner. Click a button to type one where the cursor is.</source>
        <translation>Platzhalter in Betreff und Text werden beim Schreiben an einen Partner durch seine und Ihre eigenen Angaben ersetzt. Klicken Sie auf eine Schaltfläche, um einen Platzhalter an der Cursorposition einzufügen.</translation>
    </message>
    <message>
        <source>Partner&apos;s site</source>
        <translation>Website des Partners</translation>
    </message>
    <message>
        <source>Your site</source>
        <translation>Ihre Website</translation>
    </message>
</context>
<context>
    <name>EmailTemplateDialogController</name>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>Type %1</source>
        <translation>%1 einfügen</translation>
    </message>
    <message>
        <source>Insert the partner&apos;s %1</source>
        <translation>Den Wert „%1“ des Partners einfügen</translation>
    </message>
    <message>
        <source>Insert your %1</source>
        <translation>Ihren Wert „%1“ einfügen</translation>
    </message>
    <message>
        <source>Edit E-mail Template</source>
        <translation>E-Mail-Vorlage bearbeiten</translation>
    </message>
    <message>
        <source>New E-mail Template</source>
        <translation>Neue E-Mail-Vorlage</translation>
    </message>
    <message>
        <source>Show the message as it would read for the selected link</source>
        <translation>Die Nachricht so anzeigen, wie sie für den ausgewählten Link lauten würde</translation>
    </message>
</context>
<context>
    <name>EmailTemplateFile</name>
    <message>
        <source>Some e-mail templates with the same ID already exist.</source>
        <translation>Einige E-Mail-Vorlagen mit derselben ID sind bereits vorhanden.</translation>
    </message>
    <message>
        <source>You can choose to keep your existing templates or to replace them with the ones in the imported file.</source>
        <translation>Sie können Ihre vorhandenen Vorlagen behalten oder durch die der importierten Datei ersetzen.</translation>
    </message>
    <message>
        <source>The file could not be imported.</source>
        <translation>Die Datei konnte nicht importiert werden.</translation>
    </message>
    <message>
        <source>An error occured while opening the file.</source>
        <translation>Beim Öffnen der Datei ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The e-mail templates could not be exported.</source>
        <translation>Die E-Mail-Vorlagen konnten nicht exportiert werden.</translation>
    </message>
    <message>
        <source>An error occured while saving the file.</source>
        <translation>Beim Speichern der Datei ist ein Fehler aufgetreten.</translation>
    </message>
</context>
<context>
    <name>EmailTemplateForm</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Body</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Some required fields are missing.</source>
        <translation>Einige Pflichtfelder sind leer.</translation>
    </message>
    <message>
        <source>All required fields must be specified. Required fields are marked with an asterisk.</source>
        <translation>Alle Pflichtfelder müssen ausgefüllt werden. Pflichtfelder sind mit einem Sternchen gekennzeichnet.</translation>
    </message>
    <message>
        <source>An e-mail template with the same name already exists.</source>
        <translation>Es gibt bereits eine E-Mail-Vorlage mit diesem Namen.</translation>
    </message>
    <message>
        <source>Choose another name for the e-mail template.</source>
        <translation>Wählen Sie einen anderen Namen für die E-Mail-Vorlage.</translation>
    </message>
    <message>
        <source>Listed Under</source>
        <translation>Aufgeführt unter</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>Vorname</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>Nachname</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Stichwörter</translation>
    </message>
    <message>
        <source>Links Page</source>
        <translation>Linkseite</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Status Changed</source>
        <translation>Status geändert</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Placeholders cannot be inserted in the template&apos;s name.</source>
        <translation>In den Namen der Vorlage können keine Platzhalter eingefügt werden.</translation>
    </message>
    <message>
        <source>Placeholders can only be inserted in the subject or body of the template.</source>
        <translation>Platzhalter können nur in Betreff oder Text der Vorlage eingefügt werden.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the e-mail template &quot;%1&quot;?</source>
        <translation>Möchten Sie die E-Mail-Vorlage „%1“ wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>EmailTemplateList</name>
    <message>
        <source>%1 copy</source>
        <translation>%1 Kopie</translation>
    </message>
    <message>
        <source>%1 copy %2</source>
        <translation>%1 Kopie %2</translation>
    </message>
</context>
<context>
    <name>EmailTemplateListDialog</name>
    <message>
        <source>E-mail Templates</source>
        <translation>E-Mail-Vorlagen</translation>
    </message>
    <message>
        <source>&amp;Templates of this database, offered when you write to a partner:</source>
        <translation>&amp;Vorlagen dieser Datenbank, die beim Schreiben an einen Partner angeboten werden:</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>D&amp;uplicate</source>
        <translation>D&amp;uplizieren</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Löschen...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>E&amp;xport...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
</context>
<context>
    <name>EmailTemplateListDialogController</name>
    <message>
        <source>E-mail templates</source>
        <translation>E-Mail-Vorlagen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Import E-mail Templates</source>
        <translation>E-Mail-Vorlagen importieren</translation>
    </message>
    <message>
        <source>E-mail templates (*.emlt)</source>
        <translation>E-Mail-Vorlagen (*.emlt)</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Email templates</source>
        <translation>E-Mail-Vorlagen</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists. Do you want to replace it?</source>
        <translation>„%1“ ist bereits vorhanden. Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>A file with the same name already exists. Replacing it will overwrite its current contents.</source>
        <translation>Es gibt bereits eine Datei mit diesem Namen. Beim Ersetzen wird ihr Inhalt überschrieben.</translation>
    </message>
</context>
<context>
    <name>ExportPanel</name>
    <message>
        <source>&quot;%1&quot; already exists. Do you want to replace it?</source>
        <translation>„%1“ ist bereits vorhanden. Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>A file with the same name already exists in &quot;%1&quot;. Replacing it overwrites its contents.</source>
        <translation>In „%1“ gibt es bereits eine Datei mit diesem Namen. Beim Ersetzen wird ihr Inhalt überschrieben.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
</context>
<context>
    <name>ExportTexts</name>
    <message numerus="yes">
        <source>%n file(s) were created.</source>
        <translation>
            <numerusform>%n Datei wurde erstellt.</numerusform>
            <numerusform>%n Dateien wurden erstellt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) were exported.</source>
        <translation>
            <numerusform>%n Link wurde exportiert.</numerusform>
            <numerusform>%n Links wurden exportiert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln character(s) cannot be written in %1 and would become &apos;?&apos;.</source>
        <translation>
            <numerusform>%Ln Zeichen kann nicht in %1 geschrieben werden und würde zu „?“.</numerusform>
            <numerusform>%Ln Zeichen können nicht in %1 geschrieben werden und würden zu „?“.</numerusform>
        </translation>
    </message>
    <message>
        <source>Links Database %1</source>
        <translation>Linkdatenbank %1</translation>
    </message>
    <message>
        <source>%1

File: %2</source>
        <translation>%1

Datei: %2</translation>
    </message>
</context>
<context>
    <name>FetchVerdict</name>
    <message>
        <source>The partner&apos;s site refused the check (bot protection)</source>
        <translation>Die Website des Partners hat die Prüfung abgewiesen (Bot-Schutz)</translation>
    </message>
    <message>
        <source>The partner&apos;s site refused the check (HTTP %1)</source>
        <translation>Die Website des Partners hat die Prüfung abgewiesen (HTTP %1)</translation>
    </message>
    <message>
        <source>The links page is gone (HTTP %1)</source>
        <translation>Die Linkseite gibt es nicht mehr (HTTP %1)</translation>
    </message>
    <message>
        <source>The partner&apos;s server could not serve the page (HTTP %1)</source>
        <translation>Der Server des Partners konnte die Seite nicht liefern (HTTP %1)</translation>
    </message>
</context>
<context>
    <name>FileChangedBar</name>
    <message>
        <source>File changed</source>
        <translation>Datei geändert</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>The document &quot;%1&quot; could not be saved.</source>
        <translation>Das Dokument „%1“ konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>%1 The previous version of the file, if any, was left as it was.

File: %2</source>
        <translation>%1 Eine vorherige Version der Datei blieb unverändert.

Datei: %2</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Links databases (*.site)</source>
        <translation>Linkdatenbanken (*.site)</translation>
    </message>
    <message>
        <source>Do you want to revert to the most recently saved version of the document &quot;%1&quot;?</source>
        <translation>Möchten Sie das Dokument „%1“ auf die zuletzt gespeicherte Version zurücksetzen?</translation>
    </message>
    <message>
        <source>Your current changes will be lost.</source>
        <translation>Ihre aktuellen Änderungen gehen verloren.</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Do you want to save the changes you made in the document &quot;%1&quot;?</source>
        <translation>Möchten Sie die Änderungen am Dokument „%1“ speichern?</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation>Wenn Sie nicht speichern, gehen Ihre Änderungen verloren.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Do&amp;n&apos;t Save</source>
        <translation>&amp;Nicht speichern</translation>
    </message>
    <message>
        <source>Import Links</source>
        <translation>Links importieren</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>The links were imported.</source>
        <translation>Die Links wurden importiert.</translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <source>The file cannot be read (%1).</source>
        <translation>Die Datei kann nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <source>The file is not a Quillmarsh links database.</source>
        <translation>Die Datei ist keine Quillmarsh-Linkdatenbank.</translation>
    </message>
    <message>
        <source>The file is damaged: it ends before its data does.</source>
        <translation>Die Datei ist beschädigt: Sie endet vor ihren Daten.</translation>
    </message>
    <message>
        <source>The file is larger than any Quillmarsh links database can be.</source>
        <translation>Die Datei ist größer, als eine Quillmarsh-Linkdatenbank sein kann.</translation>
    </message>
    <message>
        <source>The file was written in a format this version of Quillmarsh does not know.</source>
        <translation>Die Datei wurde in einem Format geschrieben, das diese Version von Quillmarsh nicht kennt.</translation>
    </message>
    <message>
        <source>The file is not an e-mail templates file.</source>
        <translation>Die Datei ist keine E-Mail-Vorlagendatei.</translation>
    </message>
    <message>
        <source>The file holds no e-mail templates.</source>
        <translation>Die Datei enthält keine E-Mail-Vorlagen.</translation>
    </message>
    <message>
        <source>The database holds no category.</source>
        <translation>Die Datenbank enthält keine Kategorie.</translation>
    </message>
    <message>
        <source>The file is damaged (%1).</source>
        <translation>Die Datei ist beschädigt (%1).</translation>
    </message>
    <message>
        <source>The file cannot be written (%1).</source>
        <translation>Die Datei kann nicht geschrieben werden (%1).</translation>
    </message>
    <message>
        <source>The name is that of a folder, a device or a socket, not of a file.</source>
        <translation>Der Name ist der eines Ordners, eines Geräts oder eines Sockets, nicht der einer Datei.</translation>
    </message>
    <message>
        <source>The backup copy &quot;%1&quot; cannot be written.</source>
        <translation>Die Sicherungskopie „%1“ kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The database would take %1 MB, more than the %2 MB a database file can hold.</source>
        <translation>Die Datenbank bräuchte %1 MB, mehr als die %2 MB, die eine Datenbankdatei fassen kann.</translation>
    </message>
    <message>
        <source>The file is larger than the largest links database.</source>
        <translation>Die Datei ist größer als die größte Linkdatenbank.</translation>
    </message>
    <message>
        <source>The file is not a table of comma-separated or tab-delimited text.</source>
        <translation>Die Datei ist keine Tabelle aus komma- oder tabulatorgetrenntem Text.</translation>
    </message>
    <message>
        <source>The file holds no table: it has no header line.</source>
        <translation>Die Datei enthält keine Tabelle: Sie hat keine Kopfzeile.</translation>
    </message>
    <message>
        <source>The table&apos;s header line is longer than %1 characters (a quote that is not closed?).</source>
        <translation>Die Kopfzeile der Tabelle ist länger als %1 Zeichen (ein nicht geschlossenes Anführungszeichen?).</translation>
    </message>
    <message>
        <source>The table has more than %1 rows, more links than a database can hold.</source>
        <translation>Die Tabelle hat mehr als %1 Zeilen, mehr Links, als eine Datenbank fassen kann.</translation>
    </message>
    <message>
        <source>Row %2 of the table has more than %1 cells; a table may have at most %1 columns.</source>
        <translation>Zeile %2 der Tabelle hat mehr als %1 Zellen; eine Tabelle darf höchstens %1 Spalten haben.</translation>
    </message>
    <message>
        <source>The file cannot be opened (%1).</source>
        <translation>Die Datei kann nicht geöffnet werden (%1).</translation>
    </message>
    <message>
        <source>Another program is using the file (%1).</source>
        <translation>Ein anderes Programm verwendet die Datei (%1).</translation>
    </message>
    <message>
        <source>The file is not a Quillmarsh history.</source>
        <translation>Die Datei ist kein Quillmarsh-Verlauf.</translation>
    </message>
    <message>
        <source>The file is damaged or not a Quillmarsh history (%1).</source>
        <translation>Die Datei ist beschädigt oder kein Quillmarsh-Verlauf (%1).</translation>
    </message>
    <message>
        <source>The file was written by a newer version of Quillmarsh.</source>
        <translation>Die Datei wurde von einer neueren Version von Quillmarsh geschrieben.</translation>
    </message>
    <message>
        <source>The file is read-only.</source>
        <translation>Die Datei ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>The file is read-only, and its older layout must be upgraded before it can be read.</source>
        <translation>Die Datei ist schreibgeschützt, und ihr älteres Format muss aktualisiert werden, bevor sie gelesen werden kann.</translation>
    </message>
    <message>
        <source>The file cannot be used (%1).</source>
        <translation>Die Datei kann nicht verwendet werden (%1).</translation>
    </message>
</context>
<context>
    <name>HTMLBuilder</name>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Site Listings</source>
        <translation>Website-Einträge</translation>
    </message>
    <message>
        <source>Listings</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>&lt;!-- Begin %1 --&gt;</source>
        <translation>&lt;!-- Anfang %1 --&gt;</translation>
    </message>
    <message>
        <source>&lt;!-- End %1 --&gt;</source>
        <translation>&lt;!-- Ende %1 --&gt;</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Stile</translation>
    </message>
    <message>
        <source>Breadcrumb</source>
        <translation>Navigationspfad</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Table of contents</source>
        <translation>Inhaltsverzeichnis</translation>
    </message>
</context>
<context>
    <name>HTMLSetupDialog</name>
    <message>
        <source>Links Page Setup</source>
        <translation>Linkseite einrichten</translation>
    </message>
    <message>
        <source>Pa&amp;ge</source>
        <translation>&amp;Seite</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>&amp;Single page with all categories</source>
        <translation>&amp;Eine Seite mit allen Kategorien</translation>
    </message>
    <message>
        <source>&amp;Index page and one page per category</source>
        <translation>Übersichtsseite und &amp;je eine Seite pro Kategorie</translation>
    </message>
    <message>
        <source>Links to partner sites open</source>
        <translation>Links zu Partner-Websites öffnen sich</translation>
    </message>
    <message>
        <source>In a &amp;new browser window</source>
        <translation>In einem &amp;neuen Browserfenster</translation>
    </message>
    <message>
        <source>In the sa&amp;me window</source>
        <translation>Im sel&amp;ben Fenster</translation>
    </message>
    <message>
        <source>Published links</source>
        <translation>Veröffentlichte Links</translation>
    </message>
    <message>
        <source>Approved links are always published, Blocked links never.</source>
        <translation>Bestätigte Links werden immer veröffentlicht, gesperrte nie.</translation>
    </message>
    <message>
        <source>Also publish Ne&amp;w links</source>
        <translation>Auch ne&amp;ue Links veröffentlichen</translation>
    </message>
    <message>
        <source>Also publish Nego&amp;tiating links</source>
        <translation>Auch Links in &amp;Verhandlung veröffentlichen</translation>
    </message>
    <message>
        <source>St&amp;yles</source>
        <translation>S&amp;tile</translation>
    </message>
    <message>
        <source>&amp;Part of the page:</source>
        <translation>Seiten&amp;bereich:</translation>
    </message>
    <message>
        <source>Style te&amp;xt:</source>
        <translation>Stilte&amp;xt:</translation>
    </message>
    <message>
        <source>CSS declarations, as written between the braces of a style rule</source>
        <translation>CSS-Deklarationen, wie sie zwischen den geschweiften Klammern einer Stilregel stehen</translation>
    </message>
    <message>
        <source>CSS declarations, as written between the braces of a style rule. Line breaks become spaces.</source>
        <translation>CSS-Deklarationen, wie sie zwischen den geschweiften Klammern einer Stilregel stehen. Zeilenumbrüche werden zu Leerzeichen.</translation>
    </message>
    <message>
        <source>Load a theme:</source>
        <translation>Design laden:</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>Stan&amp;dard</translation>
    </message>
    <message>
        <source>Replaces all eight styles with those of the theme</source>
        <translation>Ersetzt alle acht Stile durch die des Designs</translation>
    </message>
    <message>
        <source>C&amp;andy</source>
        <translation>C&amp;andy</translation>
    </message>
    <message>
        <source>C&amp;lassic</source>
        <translation>&amp;Klassisch</translation>
    </message>
    <message>
        <source>O&amp;blique</source>
        <translation>Sch&amp;räg</translation>
    </message>
    <message>
        <source>Pla&amp;in</source>
        <translation>Sch&amp;licht</translation>
    </message>
    <message>
        <source>Pre&amp;view in Browser</source>
        <translation>&amp;Vorschau im Browser</translation>
    </message>
    <message>
        <source>Opens a sample links page with these styles in your web browser</source>
        <translation>Öffnet eine Beispiel-Linkseite mit diesen Stilen in Ihrem Webbrowser</translation>
    </message>
    <message>
        <source>&amp;Responsive page (HTML5)</source>
        <translation>&amp;Responsive Seite (HTML5)</translation>
    </message>
    <message>
        <source>One page that reads well on phones and desktops, with a &quot;Link to us&quot; block</source>
        <translation>Eine Seite, die auf Telefonen und am Desktop gut lesbar ist, mit einem Block „Verlinken Sie uns“</translation>
    </message>
</context>
<context>
    <name>HTMLSetupDialogController</name>
    <message>
        <source>Section titles</source>
        <translation>Abschnittstitel</translation>
    </message>
    <message>
        <source>Separator line</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Emphasized text</source>
        <translation>Hervorgehobener Text</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Emphasized links</source>
        <translation>Hervorgehobene Links</translation>
    </message>
    <message>
        <source>List items</source>
        <translation>Listeneinträge</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>Load the theme &quot;%1&quot;</source>
        <translation>Das Design „%1“ laden</translation>
    </message>
    <message>
        <source>Are you sure you want to load the theme &quot;%1&quot;?</source>
        <translation>Möchten Sie das Design „%1“ wirklich laden?</translation>
    </message>
    <message>
        <source>This will replace all styles with those defined in the selected theme.</source>
        <translation>Dabei werden alle Stile durch die des gewählten Designs ersetzt.</translation>
    </message>
    <message>
        <source>Load Theme</source>
        <translation>Design laden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The preview could not be shown.</source>
        <translation>Die Vorschau konnte nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>No application could open the sample page &quot;%1&quot;.</source>
        <translation>Keine Anwendung konnte die Beispielseite „%1“ öffnen.</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Quillmarsh Help</source>
        <translation>Quillmarsh-Hilfe</translation>
    </message>
    <message>
        <source>Quillmarsh Help – %1</source>
        <translation>Quillmarsh-Hilfe – %1</translation>
    </message>
</context>
<context>
    <name>HistoryCommands</name>
    <message>
        <source>Show Lost Links</source>
        <translation>Verlorene Links anzeigen</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) lost</source>
        <translation>
            <numerusform>%n Link verloren</numerusform>
            <numerusform>%n Links verloren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) moved</source>
        <translation>
            <numerusform>%n Link umgezogen</numerusform>
            <numerusform>%n Links umgezogen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n site(s) unreachable</source>
        <translation>
            <numerusform>%n Website nicht erreichbar</numerusform>
            <numerusform>%n Websites nicht erreichbar</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: Show Lost Links</source>
        <translation>%1: Verlorene Links anzeigen</translation>
    </message>
    <message>
        <source>Use This Page</source>
        <translation>Diese Seite verwenden</translation>
    </message>
    <message numerus="yes">
        <source>The history is busy; %n check(s) are waiting to be recorded.</source>
        <translation>
            <numerusform>Der Verlauf ist belegt; %n Prüfung wartet darauf, aufgezeichnet zu werden.</numerusform>
            <numerusform>Der Verlauf ist belegt; %n Prüfungen warten darauf, aufgezeichnet zu werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryFiles</name>
    <message>
        <source>it is a symbolic link, which is never followed</source>
        <translation>er ist ein symbolischer Link, dem nie gefolgt wird</translation>
    </message>
    <message>
        <source>%1 is a symbolic link, which is never followed</source>
        <translation>%1 ist ein symbolischer Link, dem nie gefolgt wird</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>das ist keine Datei</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 ist keine Datei</translation>
    </message>
    <message>
        <source>%1 cannot be created: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>HistoryService</name>
    <message numerus="yes">
        <source>%n verification check(s) could not be recorded in the history: another program held it locked.</source>
        <translation>
            <numerusform>%n Prüfung konnte nicht im Verlauf aufgezeichnet werden: ein anderes Programm hielt ihn gesperrt.</numerusform>
            <numerusform>%n Prüfungen konnten nicht im Verlauf aufgezeichnet werden: ein anderes Programm hielt ihn gesperrt.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>no such database file</source>
        <translation>keine solche Datenbankdatei</translation>
    </message>
    <message>
        <source>The verification history %1 cannot be used: %2</source>
        <translation>Der Prüfverlauf %1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>The verification history %1 cannot be used. %2</source>
        <translation>Der Prüfverlauf %1 kann nicht verwendet werden. %2</translation>
    </message>
</context>
<context>
    <name>ImapSession</name>
    <message>
        <source>The connection to %1 was closed.</source>
        <translation>Die Verbindung zu %1 wurde geschlossen.</translation>
    </message>
    <message>
        <source>%1 did not answer within %2 seconds.</source>
        <translation>%1 hat nicht innerhalb von %2 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>%1 sent a line too long to be an IMAP answer.</source>
        <translation>%1 hat eine Zeile gesendet, die zu lang für eine IMAP-Antwort ist.</translation>
    </message>
    <message>
        <source>%1 sent more than was asked for.</source>
        <translation>%1 hat mehr gesendet, als angefordert wurde.</translation>
    </message>
    <message>
        <source>%1 answered: %2</source>
        <translation>%1 antwortete: %2</translation>
    </message>
</context>
<context>
    <name>InstantLinkDialog</name>
    <message>
        <source>Instant Link</source>
        <translation>Schnell-Link</translation>
    </message>
    <message>
        <source>Add a link partner in one step and write to its webmaster right away.</source>
        <translation>Einen Linkpartner in einem Schritt hinzufügen und gleich an seinen Webmaster schreiben.</translation>
    </message>
    <message>
        <source>&amp;Title*:</source>
        <translation>&amp;Titel*:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>&amp;Main page URL*:</source>
        <translation>&amp;Startseiten-URL*:</translation>
    </message>
    <message>
        <source>Chec&amp;k</source>
        <translation>&amp;Abgleichen</translation>
    </message>
    <message>
        <source>Check that no other link of this database has the same main page URL</source>
        <translation>Prüfen, dass kein anderer Link dieser Datenbank dieselbe Startseiten-URL hat</translation>
    </message>
    <message>
        <source>&amp;Links page URL:</source>
        <translation>&amp;Linkseiten-URL:</translation>
    </message>
    <message>
        <source>The partner&apos;s page on which your link is expected</source>
        <translation>Die Seite des Partners, auf der Ihr Link erwartet wird</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>&amp;Kategorie:</translation>
    </message>
    <message>
        <source>The category of your links page that lists this partner</source>
        <translation>Die Kategorie Ihrer Linkseite, unter der dieser Partner steht</translation>
    </message>
    <message>
        <source>M&amp;y category:</source>
        <translation>&amp;Meine Kategorie:</translation>
    </message>
    <message>
        <source>The category of the partner&apos;s links page under which your site is listed</source>
        <translation>Die Kategorie der Linkseite des Partners, unter der Ihre Website steht</translation>
    </message>
    <message>
        <source>Contact &amp;e-mail:</source>
        <translation>Kontakt-&amp;E-Mail:</translation>
    </message>
    <message>
        <source>Request:</source>
        <translation>Anfrage:</translation>
    </message>
    <message>
        <source>&amp;Received from the partner</source>
        <translation>Vom Partner e&amp;rhalten</translation>
    </message>
    <message>
        <source>Se&amp;nt to the partner</source>
        <translation>An den Partner &amp;gesendet</translation>
    </message>
    <message>
        <source>&amp;Send this message:</source>
        <translation>Diese &amp;Nachricht senden:</translation>
    </message>
    <message>
        <source>Message to send</source>
        <translation>Zu sendende Nachricht</translation>
    </message>
    <message>
        <source>* required</source>
        <translation>* Pflichtfeld</translation>
    </message>
</context>
<context>
    <name>InstantLinkDialogController</name>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Blank message</source>
        <translation>Leere Nachricht</translation>
    </message>
    <message>
        <source>This URL is not unique.</source>
        <translation>Diese URL ist nicht eindeutig.</translation>
    </message>
    <message>
        <source>Another link with the same URL already exists.</source>
        <translation>Es gibt bereits einen anderen Link mit derselben URL.</translation>
    </message>
    <message>
        <source>This URL is unique.</source>
        <translation>Diese URL ist eindeutig.</translation>
    </message>
    <message>
        <source>No other links have the same URL.</source>
        <translation>Kein anderer Link hat dieselbe URL.</translation>
    </message>
</context>
<context>
    <name>LinkChange</name>
    <message>
        <source>Lost</source>
        <translation>Verloren</translation>
    </message>
    <message>
        <source>No longer followed</source>
        <translation>Nicht mehr gefolgt</translation>
    </message>
    <message>
        <source>Recovered</source>
        <translation>Wiedergefunden</translation>
    </message>
    <message>
        <source>Moved to another page</source>
        <translation>Auf eine andere Seite umgezogen</translation>
    </message>
    <message>
        <source>Unreachable for days</source>
        <translation>Seit Tagen nicht erreichbar</translation>
    </message>
    <message>
        <source>The link was missing twice and is nowhere else on the site: ask the partner to put it back.</source>
        <translation>Der Link fehlte zweimal und ist nirgends sonst auf der Website: Bitten Sie den Partner, ihn wieder einzufügen.</translation>
    </message>
    <message>
        <source>The link is on another page of the partner&apos;s site: use that page as the links page.</source>
        <translation>Der Link steht auf einer anderen Seite der Partner-Website: Verwenden Sie diese Seite als Linkseite.</translation>
    </message>
    <message>
        <source>Search engines no longer follow the link: ask the partner for a plain link.</source>
        <translation>Suchmaschinen folgen dem Link nicht mehr: Bitten Sie den Partner um einen einfachen Link.</translation>
    </message>
    <message>
        <source>The link is back.</source>
        <translation>Der Link ist wieder da.</translation>
    </message>
    <message>
        <source>The site has not answered for days: ask the partner whether it still runs.</source>
        <translation>Die Website antwortet seit Tagen nicht: Fragen Sie den Partner, ob sie noch betrieben wird.</translation>
    </message>
</context>
<context>
    <name>LinkChangesModel</name>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Seit</translation>
    </message>
    <message>
        <source>Latest Check</source>
        <translation>Letzte Prüfung</translation>
    </message>
    <message>
        <source>Link Now On</source>
        <translation>Link jetzt auf</translation>
    </message>
</context>
<context>
    <name>LinkCommands</name>
    <message>
        <source>Add Link</source>
        <translation>Link hinzufügen</translation>
    </message>
    <message>
        <source>Edit Link</source>
        <translation>Link bearbeiten</translation>
    </message>
    <message>
        <source>Instant Link</source>
        <translation>Schnell-Link</translation>
    </message>
    <message>
        <source>Notification Settings</source>
        <translation>Benachrichtigungseinstellungen</translation>
    </message>
    <message>
        <source>&amp;History</source>
        <translation>Verla&amp;uf</translation>
    </message>
    <message>
        <source>Me&amp;ssages</source>
        <translation>Na&amp;chrichten</translation>
    </message>
</context>
<context>
    <name>LinkCount</name>
    <message>
        <source>This shows the number of links in the database as well as in the category &quot;%1&quot;.</source>
        <translation>Hier sehen Sie die Anzahl der Links in der Datenbank und in der Kategorie „%1“.</translation>
    </message>
</context>
<context>
    <name>LinkDeleteCommands</name>
    <message>
        <source>Are you sure you want to delete the link &quot;%1&quot;?</source>
        <translation>Möchten Sie den Link „%1“ wirklich löschen?</translation>
    </message>
    <message numerus="yes">
        <source>Delete the %Ln selected link(s)?</source>
        <translation>
            <numerusform>Den %Ln ausgewählten Link löschen?</numerusform>
            <numerusform>Die %Ln ausgewählten Links löschen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Delete Link</source>
        <translation>Link löschen</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n Link(s)</source>
        <translation>
            <numerusform>%n Link löschen</numerusform>
            <numerusform>%n Links löschen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkDialog</name>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>&amp;Title*:</source>
        <translation>&amp;Titel*:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>&amp;Main page URL*:</source>
        <translation>&amp;Startseiten-URL*:</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open the partner&apos;s main page in your web browser</source>
        <translation>Die Startseite des Partners in Ihrem Webbrowser öffnen</translation>
    </message>
    <message>
        <source>Chec&amp;k</source>
        <translation>&amp;Abgleichen</translation>
    </message>
    <message>
        <source>Check that no other link of this database has the same main page URL</source>
        <translation>Prüfen, dass kein anderer Link dieser Datenbank dieselbe Startseiten-URL hat</translation>
    </message>
    <message>
        <source>&amp;Links page URL:</source>
        <translation>&amp;Linkseiten-URL:</translation>
    </message>
    <message>
        <source>The partner&apos;s page on which your link is expected</source>
        <translation>Die Seite des Partners, auf der Ihr Link erwartet wird</translation>
    </message>
    <message>
        <source>G&amp;o</source>
        <translation>Öff&amp;nen</translation>
    </message>
    <message>
        <source>Open the partner&apos;s links page in your web browser</source>
        <translation>Die Linkseite des Partners in Ihrem Webbrowser öffnen</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>&amp;Kategorie:</translation>
    </message>
    <message>
        <source>The category of your links page that lists this partner</source>
        <translation>Die Kategorie Ihrer Linkseite, unter der dieser Partner steht</translation>
    </message>
    <message>
        <source>M&amp;y category:</source>
        <translation>&amp;Meine Kategorie:</translation>
    </message>
    <message>
        <source>The category of the partner&apos;s links page under which your site is listed</source>
        <translation>Die Kategorie der Linkseite des Partners, unter der Ihre Website steht</translation>
    </message>
    <message>
        <source>Exchange</source>
        <translation>Linktausch</translation>
    </message>
    <message>
        <source>Partner&apos;s webmaster</source>
        <translation>Webmaster des Partners</translation>
    </message>
    <message>
        <source>&amp;First name:</source>
        <translation>&amp;Vorname:</translation>
    </message>
    <message>
        <source>L&amp;ast name:</source>
        <translation>Nac&amp;hname:</translation>
    </message>
    <message>
        <source>&amp;E-mail:</source>
        <translation>E-Ma&amp;il:</translation>
    </message>
    <message>
        <source>Send &amp;Message</source>
        <translation>Nachricht s&amp;enden</translation>
    </message>
    <message>
        <source>Write to the partner&apos;s webmaster, blank or from a template</source>
        <translation>An den Webmaster des Partners schreiben, leer oder aus einer Vorlage</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Request:</source>
        <translation>Anfrage:</translation>
    </message>
    <message>
        <source>&amp;Received from the partner</source>
        <translation>Vom Partner e&amp;rhalten</translation>
    </message>
    <message>
        <source>Se&amp;nt to the partner</source>
        <translation>An den Partner &amp;gesendet</translation>
    </message>
    <message>
        <source>S&amp;tatus:</source>
        <translation>S&amp;tatus:</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Negotiating</source>
        <translation>In Verhandlung</translation>
    </message>
    <message>
        <source>Approved</source>
        <translation>Bestätigt</translation>
    </message>
    <message>
        <source>Blocked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Status changed:</source>
        <translation>Status geändert:</translation>
    </message>
    <message>
        <source>Last verified:</source>
        <translation>Zuletzt geprüft:</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Benachrichtigungen</translation>
    </message>
    <message>
        <source>&amp;Reminders for this link, as they stand with the values entered:</source>
        <translation>&amp;Erinnerungen für diesen Link nach den eingegebenen Werten:</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Benachrichtigung</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>N&amp;otes (only for you, never published):</source>
        <translation>N&amp;otizen (nur für Sie, werden nie veröffentlicht):</translation>
    </message>
    <message>
        <source>* required</source>
        <translation>* Pflichtfeld</translation>
    </message>
    <message>
        <source>Key&amp;words:</source>
        <translation>Stich&amp;wörter:</translation>
    </message>
    <message>
        <source>Words that describe the partner&apos;s site, separated by commas</source>
        <translation>Wörter, die die Website des Partners beschreiben, durch Kommas getrennt</translation>
    </message>
</context>
<context>
    <name>LinkDialogController</name>
    <message>
        <source>&amp;Verify</source>
        <translation>&amp;Prüfen</translation>
    </message>
    <message>
        <source>Save the link and verify it now</source>
        <translation>Den Link speichern und jetzt prüfen</translation>
    </message>
    <message>
        <source>&amp;Blank Message</source>
        <translation>&amp;Leere Nachricht</translation>
    </message>
    <message>
        <source>New E-mail &amp;Template...</source>
        <translation>Neue E-Mail-&amp;Vorlage...</translation>
    </message>
    <message>
        <source>New Link</source>
        <translation>Neuer Link</translation>
    </message>
    <message>
        <source>Edit Link</source>
        <translation>Link bearbeiten</translation>
    </message>
    <message>
        <source>This address cannot be opened in the browser.</source>
        <translation>Diese Adresse kann nicht im Browser geöffnet werden.</translation>
    </message>
    <message>
        <source>The URL &quot;%1&quot; is not a valid web address.</source>
        <translation>Die URL „%1“ ist keine gültige Webadresse.</translation>
    </message>
    <message>
        <source>This URL is not unique.</source>
        <translation>Diese URL ist nicht eindeutig.</translation>
    </message>
    <message>
        <source>Another link with the same URL already exists.</source>
        <translation>Es gibt bereits einen anderen Link mit derselben URL.</translation>
    </message>
    <message>
        <source>This URL is unique.</source>
        <translation>Diese URL ist eindeutig.</translation>
    </message>
    <message>
        <source>No other links have the same URL.</source>
        <translation>Kein anderer Link hat dieselbe URL.</translation>
    </message>
</context>
<context>
    <name>LinkExchangeForm</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
</context>
<context>
    <name>LinkFilterBar</name>
    <message>
        <source>Filter links</source>
        <translation>Links filtern</translation>
    </message>
    <message>
        <source>Filter links by name, address, description, contact or notes</source>
        <translation>Links nach Name, Adresse, Beschreibung, Kontakt oder Notizen filtern</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>Ansichten</translation>
    </message>
    <message>
        <source>Days not checked</source>
        <translation>Tage ohne Prüfung</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>&quot;Not Checked&quot; lists the links not checked for this many days</source>
        <translation>„Nicht geprüft“ listet die Links, die so viele Tage nicht geprüft wurden</translation>
    </message>
    <message>
        <source>%1 (%L2)</source>
        <translation>%1 (%L2)</translation>
    </message>
    <message>
        <source>Clear Filter</source>
        <translation>Filter leeren</translation>
    </message>
</context>
<context>
    <name>LinkForm</name>
    <message>
        <source>Some required fields are missing.</source>
        <translation>Einige Pflichtfelder sind leer.</translation>
    </message>
    <message>
        <source>All required fields must be specified. Required fields are marked with an asterisk.</source>
        <translation>Alle Pflichtfelder müssen ausgefüllt werden. Pflichtfelder sind mit einem Sternchen gekennzeichnet.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Main Page URL</source>
        <translation>Startseiten-URL</translation>
    </message>
    <message>
        <source>Links Page URL</source>
        <translation>Linkseiten-URL</translation>
    </message>
    <message>
        <source>My Category</source>
        <translation>Meine Kategorie</translation>
    </message>
    <message>
        <source>Contact First Name</source>
        <translation>Vorname des Kontakts</translation>
    </message>
    <message>
        <source>Contact Last Name</source>
        <translation>Nachname des Kontakts</translation>
    </message>
    <message>
        <source>Contact E-mail</source>
        <translation>E-Mail des Kontakts</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Stichwörter</translation>
    </message>
    <message>
        <source>A link with this address already exists: &quot;%1&quot;.</source>
        <translation>Es gibt bereits einen Link mit dieser Adresse: „%1“.</translation>
    </message>
    <message>
        <source>Add Anyway</source>
        <translation>Trotzdem hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The %1 field must hold a web address.</source>
        <translation>Das Feld „%1“ muss eine Webadresse enthalten.</translation>
    </message>
</context>
<context>
    <name>LinkHistoryModel</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No (not a link)</source>
        <translation>Nein (kein Link)</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>No (%1)</source>
        <translation>Nein (%1)</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Geprüft</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>HTTP Status</source>
        <translation>HTTP-Status</translation>
    </message>
    <message>
        <source>Followed</source>
        <translation>Gefolgt</translation>
    </message>
    <message>
        <source>Anchor Text</source>
        <translation>Ankertext</translation>
    </message>
    <message>
        <source>No (robots.txt)</source>
        <translation>Nein (robots.txt)</translation>
    </message>
    <message>
        <source>Link found on another page</source>
        <translation>Link auf anderer Seite gefunden</translation>
    </message>
    <message>
        <source>Link missing (looked at twice)</source>
        <translation>Link fehlt (zweimal nachgesehen)</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>Befund</translation>
    </message>
</context>
<context>
    <name>LinkHistoryView</name>
    <message>
        <source>Checks of this link</source>
        <translation>Prüfungen dieses Links</translation>
    </message>
    <message>
        <source>Checks are recorded once the database has been saved.</source>
        <translation>Prüfungen werden aufgezeichnet, sobald die Datenbank gespeichert wurde.</translation>
    </message>
    <message>
        <source>No checks recorded.</source>
        <translation>Keine Prüfungen aufgezeichnet.</translation>
    </message>
    <message>
        <source>1 check recorded.</source>
        <translation>1 Prüfung aufgezeichnet.</translation>
    </message>
    <message>
        <source>%1 checks recorded.</source>
        <translation>%1 Prüfungen aufgezeichnet.</translation>
    </message>
</context>
<context>
    <name>LinkImporter</name>
    <message>
        <source>Some links with the same ID already exist.</source>
        <translation>Einige Links mit derselben ID sind bereits vorhanden.</translation>
    </message>
    <message>
        <source>You can choose to keep your existing links or to replace them with the ones in the imported file.</source>
        <translation>Sie können Ihre vorhandenen Links behalten oder durch die der importierten Datei ersetzen.</translation>
    </message>
    <message>
        <source>The file could not be imported.</source>
        <translation>Die Datei konnte nicht importiert werden.</translation>
    </message>
    <message>
        <source>An error occured while opening the file.</source>
        <translation>Beim Öffnen der Datei ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>1 link was added.</source>
        <translation>1 Link wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>%1 links were added.</source>
        <translation>%1 Links wurden hinzugefügt.</translation>
    </message>
    <message>
        <source>1 link was replaced.</source>
        <translation>1 Link wurde ersetzt.</translation>
    </message>
    <message>
        <source>%1 links were replaced.</source>
        <translation>%1 Links wurden ersetzt.</translation>
    </message>
    <message>
        <source>1 link of the file was left out.</source>
        <translation>1 Link der Datei wurde ausgelassen.</translation>
    </message>
    <message>
        <source>%1 links of the file were left out.</source>
        <translation>%1 Links der Datei wurden ausgelassen.</translation>
    </message>
    <message>
        <source>1 category was added.</source>
        <translation>1 Kategorie wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>%1 categories were added.</source>
        <translation>%1 Kategorien wurden hinzugefügt.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; was left out: its address &quot;%2&quot; is not a web address.</source>
        <translation>Der Link „%1“ wurde ausgelassen: Seine Adresse „%2“ ist keine Webadresse.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; was left out: its links page address &quot;%2&quot; is not a web address.</source>
        <translation>Der Link „%1“ wurde ausgelassen: Die Adresse seiner Linkseite „%2“ ist keine Webadresse.</translation>
    </message>
    <message>
        <source>1 more link was left out for the same reason.</source>
        <translation>1 weiterer Link wurde aus demselben Grund ausgelassen.</translation>
    </message>
    <message>
        <source>%1 more links were left out for the same reason.</source>
        <translation>%1 weitere Links wurden aus demselben Grund ausgelassen.</translation>
    </message>
</context>
<context>
    <name>LinkListModel</name>
    <message>
        <source>Notifications</source>
        <translation>Benachrichtigungen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Links Page</source>
        <translation>Linkseite</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Last Verified</source>
        <translation>Zuletzt geprüft</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Followed</source>
        <translation>Verfolgt</translation>
    </message>
    <message>
        <source>Anchor Text</source>
        <translation>Ankertext</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Letzte Änderung</translation>
    </message>
    <message>
        <source>Last Contact</source>
        <translation>Letzter Kontakt</translation>
    </message>
</context>
<context>
    <name>LinkListPages</name>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Page %1 could not be started.</source>
        <translation>Seite %1 konnte nicht begonnen werden.</translation>
    </message>
</context>
<context>
    <name>LinkMessagesView</name>
    <message>
        <source>Messages to this partner</source>
        <translation>Nachrichten an diesen Partner</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>To</source>
        <translation>An</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Replied</source>
        <translation>Beantwortet</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>No messages were sent to this partner from Quillmarsh.</source>
        <translation>Aus Quillmarsh wurden diesem Partner keine Nachrichten gesendet.</translation>
    </message>
    <message numerus="yes">
        <source>%n message(s):</source>
        <translation>
            <numerusform>%n Nachricht:</numerusform>
            <numerusform>%n Nachrichten:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkMoveCommands</name>
    <message>
        <source>Move Link</source>
        <translation>Link verschieben</translation>
    </message>
    <message numerus="yes">
        <source>Move %n Link(s) to %1</source>
        <translation>
            <numerusform>%n Link nach %1 verschieben</numerusform>
            <numerusform>%n Links nach %1 verschieben</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkRowsModel</name>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>LinkStatusCommands</name>
    <message>
        <source>Set Status</source>
        <translation>Status setzen</translation>
    </message>
    <message>
        <source>Mark as Verified</source>
        <translation>Als geprüft markieren</translation>
    </message>
    <message numerus="yes">
        <source>Set Status of %n Link(s)</source>
        <translation>
            <numerusform>Status von %n Link setzen</numerusform>
            <numerusform>Status von %n Links setzen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Mark %n Link(s) as Verified</source>
        <translation>
            <numerusform>%n Link als geprüft markieren</numerusform>
            <numerusform>%n Links als geprüft markieren</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkView</name>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Verloren</translation>
    </message>
    <message>
        <source>Not Followed</source>
        <translation>Nicht gefolgt</translation>
    </message>
    <message>
        <source>Not Checked</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message>
        <source>Never Checked</source>
        <translation>Nie geprüft</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Nicht erreichbar</translation>
    </message>
    <message>
        <source>Reminders Due</source>
        <translation>Fällige Erinnerungen</translation>
    </message>
</context>
<context>
    <name>LinkVisitCommands</name>
    <message>
        <source>The URL of this link is not valid.</source>
        <translation>Die URL dieses Links ist ungültig.</translation>
    </message>
    <message>
        <source>The URL &quot;%1&quot; is not valid. The link&apos;s URL can be changed in the Edit Link dialog.</source>
        <translation>Die URL „%1“ ist ungültig. Die URL des Links können Sie im Dialog „Link bearbeiten“ ändern.</translation>
    </message>
    <message>
        <source>The partner site URL of this link is not valid.</source>
        <translation>Die URL der Partner-Website dieses Links ist ungültig.</translation>
    </message>
    <message>
        <source>The URL &quot;%1&quot; is not valid. The link&apos;s partner site URL can be changed in the Edit Link dialog.</source>
        <translation>Die URL „%1“ ist ungültig. Die URL der Partner-Website können Sie im Dialog „Link bearbeiten“ ändern.</translation>
    </message>
</context>
<context>
    <name>LinksPageExporter</name>
    <message>
        <source>The ID &quot;%1&quot; of the category &quot;%2&quot; cannot be used as a file name. Give the category an ID made of letters and digits only.</source>
        <translation>Die ID „%1“ der Kategorie „%2“ kann nicht als Dateiname dienen. Geben Sie der Kategorie eine ID nur aus Buchstaben und Ziffern.</translation>
    </message>
    <message>
        <source>The page of the category &quot;%1&quot; would replace the file &quot;%2&quot;. Choose another file name or give the category another ID.</source>
        <translation>Die Seite der Kategorie „%1“ würde die Datei „%2“ ersetzen. Wählen Sie einen anderen Dateinamen oder geben Sie der Kategorie eine andere ID.</translation>
    </message>
    <message>
        <source>The categories &quot;%1&quot; and &quot;%2&quot; would both be written to the file &quot;%3&quot;. Give one of them another ID.</source>
        <translation>Die Kategorien „%1“ und „%2“ würden beide in die Datei „%3“ geschrieben. Geben Sie einer von ihnen eine andere ID.</translation>
    </message>
    <message>
        <source>This links page has one page per category, which are written beside the index page; name a file in a folder, not a device or a pipe.</source>
        <translation>Diese Linkseite hat je eine Seite pro Kategorie, die neben die Übersichtsseite geschrieben werden; geben Sie eine Datei in einem Ordner an, kein Gerät und keine Pipe.</translation>
    </message>
    <message>
        <source>There is nothing to export.</source>
        <translation>Es gibt nichts zu exportieren.</translation>
    </message>
    <message>
        <source>1 more link is left out for the same reason.</source>
        <translation>1 weiterer Link fehlt aus demselben Grund.</translation>
    </message>
    <message>
        <source>%1 more links are left out for the same reason.</source>
        <translation>%1 weitere Links fehlen aus demselben Grund.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; is left out of the page: its address &quot;%2&quot; is not a web address.</source>
        <translation>Der Link „%1“ fehlt auf der Seite: Seine Adresse „%2“ ist keine Webadresse.</translation>
    </message>
</context>
<context>
    <name>LoggedMessage</name>
    <message>
        <source>Queued</source>
        <translation>Wartend</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Replied</source>
        <translation>Beantwortet</translation>
    </message>
    <message>
        <source>%1, “%2” — no reply yet</source>
        <translation>%1, „%2“ — noch keine Antwort</translation>
    </message>
    <message>
        <source>%1, “%2” — replied %3</source>
        <translation>%1, „%2“ — beantwortet am %3</translation>
    </message>
</context>
<context>
    <name>LostLinkMessages</name>
    <message>
        <source>No e-mail template for lost links: add the template &quot;Your link to us is missing&quot; or choose another one in the preferences.</source>
        <translation>Keine E-Mail-Vorlage für verlorene Links: Fügen Sie die Vorlage „Your link to us is missing“ hinzu oder wählen Sie in den Einstellungen eine andere.</translation>
    </message>
</context>
<context>
    <name>LostLinksDialogController</name>
    <message>
        <source>Changed links</source>
        <translation>Geänderte Links</translation>
    </message>
    <message>
        <source>&amp;Edit Link...</source>
        <translation>Link &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Send &amp;Message</source>
        <translation>Nachricht s&amp;enden</translation>
    </message>
    <message>
        <source>&amp;Verify Again</source>
        <translation>Erneut &amp;prüfen</translation>
    </message>
    <message>
        <source>Lost Links</source>
        <translation>Verlorene Links</translation>
    </message>
    <message>
        <source>Lost Links — %1</source>
        <translation>Verlorene Links — %1</translation>
    </message>
    <message>
        <source>No link changed at its latest check.</source>
        <translation>Bei der letzten Prüfung hat sich kein Link geändert.</translation>
    </message>
    <message>
        <source>1 link changed at its latest check;</source>
        <translation>1 Link hat sich bei seiner letzten Prüfung geändert;</translation>
    </message>
    <message>
        <source>%1 links changed at their latest check;</source>
        <translation>%1 Links haben sich bei ihrer letzten Prüfung geändert;</translation>
    </message>
    <message>
        <source>What to do about the selected link</source>
        <translation>Was beim ausgewählten Link zu tun ist</translation>
    </message>
    <message>
        <source>&amp;Use This Page</source>
        <translation>Diese Seite &amp;übernehmen</translation>
    </message>
    <message>
        <source>Make the page the link was found on the link&apos;s links page</source>
        <translation>Die Seite, auf der der Link gefunden wurde, zur Linkseite des Links machen</translation>
    </message>
    <message>
        <source>1 was lost</source>
        <translation>1 ging verloren</translation>
    </message>
    <message>
        <source>%1 were lost</source>
        <translation>%1 gingen verloren</translation>
    </message>
    <message>
        <source>, 1 site has been unreachable for days</source>
        <translation>, 1 Website ist seit Tagen nicht erreichbar</translation>
    </message>
    <message>
        <source>, %1 sites have been unreachable for days</source>
        <translation>, %1 Websites sind seit Tagen nicht erreichbar</translation>
    </message>
    <message>
        <source>Your link is now on %1.</source>
        <translation>Ihr Link steht jetzt auf %1.</translation>
    </message>
</context>
<context>
    <name>MailCertificatePrompt</name>
    <message>
        <source>SHA-256 fingerprint: %1</source>
        <translation>SHA-256-Fingerabdruck: %1</translation>
    </message>
    <message>
        <source>Accept this server&apos;s certificate?</source>
        <translation>Das Zertifikat dieses Servers annehmen?</translation>
    </message>
    <message>
        <source>%1

Accept it only when you know it is your server&apos;s: Quillmarsh then trusts this certificate, and no other, for %2.</source>
        <translation>%1

Nehmen Sie es nur an, wenn Sie wissen, dass es das Ihres Servers ist: Quillmarsh vertraut dann diesem Zertifikat und keinem anderen für %2.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Accept Certificate</source>
        <translation>Zertifikat annehmen</translation>
    </message>
</context>
<context>
    <name>MailClientAlert</name>
    <message>
        <source>The message could not be handed to your mail client.</source>
        <translation>Die Nachricht konnte nicht an Ihr E-Mail-Programm übergeben werden.</translation>
    </message>
    <message>
        <source>Check that an e-mail program is set up as the default mail application, or copy the message and send it from your webmail.</source>
        <translation>Prüfen Sie, ob ein E-Mail-Programm als Standardanwendung für E-Mail eingerichtet ist, oder kopieren Sie die Nachricht und senden Sie sie über Ihren Webmail-Dienst.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copy Message</source>
        <translation>Nachricht kopieren</translation>
    </message>
</context>
<context>
    <name>MailClientCommands</name>
    <message numerus="yes">
        <source>Open %n message(s) in your mail client?</source>
        <translation>
            <numerusform>%n Nachricht im E-Mail-Programm öffnen?</numerusform>
            <numerusform>%n Nachrichten im E-Mail-Programm öffnen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Each selected partner gets a message of its own. To send them from this application instead, choose Send Message to Selected Links.</source>
        <translation>Jeder ausgewählte Partner erhält eine eigene Nachricht. Um sie stattdessen aus diesem Programm zu senden, wählen Sie „Nachricht an ausgewählte Links senden“.</translation>
    </message>
    <message>
        <source>Open Messages</source>
        <translation>Nachrichten öffnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Set Status</source>
        <translation>Status setzen</translation>
    </message>
    <message numerus="yes">
        <source>Set Status of %n Link(s)</source>
        <translation>
            <numerusform>Status von %n Link setzen</numerusform>
            <numerusform>Status von %n Links setzen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MailCommands</name>
    <message>
        <source>Replies cannot be checked: %1</source>
        <translation>Antworten können nicht geprüft werden: %1</translation>
    </message>
    <message>
        <source>No new replies.</source>
        <translation>Keine neuen Antworten.</translation>
    </message>
    <message numerus="yes">
        <source>%n new reply(s) found.</source>
        <translation>
            <numerusform>%n neue Antwort gefunden.</numerusform>
            <numerusform>%n neue Antworten gefunden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Messages go through your mail client.</source>
        <translation>Nachrichten gehen über Ihr E-Mail-Programm.</translation>
    </message>
    <message>
        <source>To send one template to many partners at once, choose &quot;Quillmarsh (SMTP)&quot; under &quot;Send messages with&quot; in Preferences › Mail and fill in the account.</source>
        <translation>Um eine Vorlage an viele Partner auf einmal zu senden, wählen Sie unter &quot;Nachrichten senden mit&quot; in Einstellungen › Mail &quot;Quillmarsh (SMTP)&quot; und tragen Sie das Konto ein.</translation>
    </message>
    <message>
        <source>Save the database first.</source>
        <translation>Sichern Sie die Datenbank zuerst.</translation>
    </message>
    <message>
        <source>The messages sent are kept beside the database file.</source>
        <translation>Die gesendeten Nachrichten werden neben der Datenbankdatei aufbewahrt.</translation>
    </message>
    <message>
        <source>Set Status</source>
        <translation>Status setzen</translation>
    </message>
    <message>
        <source>Checking for replies…</source>
        <translation>Antworten werden geprüft…</translation>
    </message>
    <message numerus="yes">
        <source>%n message(s) about lost links wait in the Outbox for review.</source>
        <translation>
            <numerusform>%n Nachricht zu verlorenen Links wartet im Postausgang auf Durchsicht.</numerusform>
            <numerusform>%n Nachrichten zu verlorenen Links warten im Postausgang auf Durchsicht.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MailPasswordPrompt</name>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Password of %1 on %2:</source>
        <translation>Passwort von %1 auf %2:</translation>
    </message>
</context>
<context>
    <name>MailPreferencesPage</name>
    <message>
        <source>Sender</source>
        <translation>Absender</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>Outgoing mail (SMTP)</source>
        <translation>Ausgehende Post (SMTP)</translation>
    </message>
    <message>
        <source>Replies (IMAP, optional)</source>
        <translation>Antworten (IMAP, optional)</translation>
    </message>
    <message>
        <source>The folders read for replies, separated by commas</source>
        <translation>Die nach Antworten gelesenen Ordner, durch Kommas getrennt</translation>
    </message>
    <message>
        <source>&amp;Folders:</source>
        <translation>Or&amp;dner:</translation>
    </message>
    <message>
        <source>My mail client</source>
        <translation>Mein E-Mail-Programm</translation>
    </message>
    <message>
        <source>Quillmarsh (SMTP)</source>
        <translation>Quillmarsh (SMTP)</translation>
    </message>
    <message>
        <source>No pause</source>
        <translation>Ohne Pause</translation>
    </message>
    <message>
        <source> per minute</source>
        <translation> pro Minute</translation>
    </message>
    <message>
        <source>&amp;Pace:</source>
        <translation>Tem&amp;po:</translation>
    </message>
    <message>
        <source>Send a &amp;Test Message</source>
        <translation>Testna&amp;chricht senden</translation>
    </message>
    <message>
        <source>Test result</source>
        <translation>Testergebnis</translation>
    </message>
    <message>
        <source>STARTTLS</source>
        <translation>STARTTLS</translation>
    </message>
    <message>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <source>None (this computer only)</source>
        <translation>Keine (nur dieser Computer)</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>P&amp;ort:</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Server:</translation>
    </message>
    <message>
        <source>S&amp;ecurity:</source>
        <translation>S&amp;icherheit:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
    <message>
        <source>Kept in the keyring</source>
        <translation>Im Schlüsselbund hinterlegt</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>Wird gesendet…</translation>
    </message>
    <message>
        <source>The test message went to %1.</source>
        <translation>Die Testnachricht ging an %1.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate does not verify (SHA-256 %1): %2</source>
        <translation>Das Zertifikat des Servers lässt sich nicht prüfen (SHA-256 %1): %2</translation>
    </message>
    <message>
        <source>The test message failed: %1</source>
        <translation>Die Testnachricht schlug fehl: %1</translation>
    </message>
    <message>
        <source>Accept this server&apos;s certificate?</source>
        <translation>Das Zertifikat dieses Servers annehmen?</translation>
    </message>
    <message>
        <source>%1

Accept it only when you know it is your server&apos;s: Quillmarsh then trusts this certificate, and no other, for this server.</source>
        <translation>%1

Nehmen Sie es nur an, wenn Sie wissen, dass es das Ihres Servers ist: Quillmarsh vertraut dann diesem Zertifikat und keinem anderen für diesen Server.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Accept Certificate</source>
        <translation>Zertifikat annehmen</translation>
    </message>
    <message>
        <source>Certificate accepted: send the test message again.</source>
        <translation>Zertifikat angenommen: Senden Sie die Testnachricht erneut.</translation>
    </message>
    <message>
        <source>Ser&amp;ver:</source>
        <translation>Ser&amp;ver:</translation>
    </message>
    <message>
        <source>Po&amp;rt:</source>
        <translation>Po&amp;rt:</translation>
    </message>
    <message>
        <source>Secur&amp;ity:</source>
        <translation>Sicherh&amp;eit:</translation>
    </message>
    <message>
        <source>User na&amp;me:</source>
        <translation>Benutzerna&amp;me:</translation>
    </message>
    <message>
        <source>Passwor&amp;d:</source>
        <translation>Passwor&amp;t:</translation>
    </message>
    <message>
        <source>Send messa&amp;ges with:</source>
        <translation>Nac&amp;hrichten senden mit:</translation>
    </message>
    <message>
        <source>Send follow-ups without as&amp;king</source>
        <translation>&amp;Folgenachrichten ohne Rückfrage senden</translation>
    </message>
</context>
<context>
    <name>MailServer</name>
    <message>
        <source>SMTP server</source>
        <translation>SMTP-Server</translation>
    </message>
    <message>
        <source>IMAP server</source>
        <translation>IMAP-Server</translation>
    </message>
    <message>
        <source>No %1 is set up.</source>
        <translation>Es ist kein %1 eingerichtet.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is not a host name.</source>
        <translation>Der %1 „%2“ ist kein Hostname.</translation>
    </message>
    <message>
        <source>The port of the %1 must be a number from 1 to 65535.</source>
        <translation>Der Port (%1) muss eine Zahl von 1 bis 65535 sein.</translation>
    </message>
    <message>
        <source>The %1 %2 is not on this computer: connections to it must use STARTTLS or TLS, so that your password and messages are not sent in the clear.</source>
        <translation>Der %1 %2 läuft nicht auf diesem Computer: Verbindungen zu ihm müssen STARTTLS oder TLS verwenden, damit Ihr Passwort und Ihre Nachrichten nicht im Klartext übertragen werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of the form smtp[s]://USER@HOST:PORT or imap[s]://USER@HOST:PORT.</source>
        <translation>„%1“ ist keine Adresse der Form smtp[s]://BENUTZER@HOST:PORT oder imap[s]://BENUTZER@HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of the form %2://USER@HOST:PORT.</source>
        <translation>„%1“ ist keine Adresse der Form %2://BENUTZER@HOST:PORT.</translation>
    </message>
    <message>
        <source>A password does not belong in the server&apos;s address: it comes from the keyring or from the environment.</source>
        <translation>Ein Passwort gehört nicht in die Adresse des Servers: Es kommt aus dem Schlüsselbund oder aus der Umgebung.</translation>
    </message>
</context>
<context>
    <name>MailTestMessage</name>
    <message>
        <source>The sender address &quot;%1&quot; is not an e-mail address.</source>
        <translation>Die Absenderadresse &quot;%1&quot; ist keine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>Quillmarsh test message</source>
        <translation>Quillmarsh-Testnachricht</translation>
    </message>
    <message>
        <source>This message was sent from the Mail preferences of Quillmarsh to check the settings.</source>
        <translation>Diese Nachricht wurde aus den Mail-Einstellungen von Quillmarsh gesendet, um die Einstellungen zu prüfen.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The %1 field contains too many characters.</source>
        <translation>Das Feld „%1“ enthält zu viele Zeichen.</translation>
    </message>
    <message>
        <source>This field can only contain up to %1 characters.</source>
        <translation>Dieses Feld darf höchstens %1 Zeichen enthalten.</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Kürzen</translation>
    </message>
    <message>
        <source>&amp;Correct</source>
        <translation>&amp;Korrigieren</translation>
    </message>
    <message>
        <source>&amp;Keep</source>
        <translation>&amp;Behalten</translation>
    </message>
</context>
<context>
    <name>MessageComposer</name>
    <message>
        <source>The %1 contains a line break, which no header may hold: correct it and send again.</source>
        <translation>Die %1 enthält einen Zeilenumbruch, den keine Kopfzeile enthalten darf: Korrigieren Sie sie und senden Sie erneut.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is not an e-mail address.</source>
        <translation>Die %1 „%2“ ist keine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>sender&apos;s address</source>
        <translation>Absenderadresse</translation>
    </message>
    <message>
        <source>recipient&apos;s address</source>
        <translation>Empfängeradresse</translation>
    </message>
    <message>
        <source>The subject contains a line break, which no header may hold: correct it and send again.</source>
        <translation>Der Betreff enthält einen Zeilenumbruch, den keine Kopfzeile enthalten darf: Korrigieren Sie ihn und senden Sie erneut.</translation>
    </message>
    <message>
        <source>The message ID &quot;%1&quot; cannot stand in a header.</source>
        <translation>Die Nachrichten-ID „%1“ kann nicht in einer Kopfzeile stehen.</translation>
    </message>
</context>
<context>
    <name>MessageLog</name>
    <message>
        <source>The message log %1 cannot be used: %2</source>
        <translation>Das Nachrichtenprotokoll %1 kann nicht benutzt werden: %2</translation>
    </message>
    <message>
        <source>The message log %1 cannot be used. %2</source>
        <translation>Das Nachrichtenprotokoll %1 kann nicht verwendet werden. %2</translation>
    </message>
</context>
<context>
    <name>MoveToCategoryDialog</name>
    <message>
        <source>Move to Category</source>
        <translation>In Kategorie verschieben</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Verschieben</translation>
    </message>
    <message numerus="yes">
        <source>Move the %n selected link(s) &amp;to:</source>
        <translation>
            <numerusform>Den %n ausgewählten Link verschieben &amp;nach:</numerusform>
            <numerusform>Die %n ausgewählten Links verschieben &amp;nach:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MyDocument</name>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Negotiating</source>
        <translation>In Verhandlung</translation>
    </message>
    <message>
        <source>Approved</source>
        <translation>Bestätigt</translation>
    </message>
    <message>
        <source>Blocked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>%1[*] — Quillmarsh</source>
        <translation>%1[*] — Quillmarsh</translation>
    </message>
    <message>
        <source>The document &quot;%1&quot; could not be reverted.</source>
        <translation>Das Dokument „%1“ konnte nicht zurückgesetzt werden.</translation>
    </message>
    <message>
        <source>No link selected</source>
        <translation>Kein Link ausgewählt</translation>
    </message>
    <message>
        <source>%1[*] (read-only) — Quillmarsh</source>
        <translation>%1[*] (schreibgeschützt) — Quillmarsh</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) selected</source>
        <translation>
            <numerusform>%n Link ausgewählt</numerusform>
            <numerusform>%n Links ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 Your current version is kept.</source>
        <translation>%1 Ihre aktuelle Version bleibt erhalten.</translation>
    </message>
</context>
<context>
    <name>NewSiteCreatedDialog</name>
    <message>
        <source>New Links Database</source>
        <translation>Neue Linkdatenbank</translation>
    </message>
    <message>
        <source>Your new links database is ready.</source>
        <translation>Ihre neue Linkdatenbank ist bereit.</translation>
    </message>
    <message>
        <source>&lt;p&gt;Here is how to go on:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Add the sites you trade links with: New Link, or Instant Link for a quick entry.&lt;/li&gt;&lt;li&gt;Sort them into categories: New Category.&lt;/li&gt;&lt;li&gt;Write to partners from the link&apos;s Send Message menu.&lt;/li&gt;&lt;li&gt;Check that your link is still on their pages: Verify Links.&lt;/li&gt;&lt;li&gt;Save the database: File ▸ Save.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;The tutorial walks through a first exchange step by step.&lt;/p&gt;</source>
        <translation>&lt;p&gt;So geht es weiter:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Fügen Sie die Websites hinzu, mit denen Sie Links tauschen: Neuer Link, oder Schnell-Link für eine rasche Eingabe.&lt;/li&gt;&lt;li&gt;Ordnen Sie sie in Kategorien: Neue Kategorie.&lt;/li&gt;&lt;li&gt;Schreiben Sie Partnern über das Menü „Nachricht senden“ des Links.&lt;/li&gt;&lt;li&gt;Prüfen Sie, ob Ihr Link noch auf deren Seiten steht: Links prüfen.&lt;/li&gt;&lt;li&gt;Speichern Sie die Datenbank: Datei ▸ Speichern.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Die Einführung zeigt einen ersten Linktausch Schritt für Schritt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Show this message after creating a new links database</source>
        <translation>Diese Meldung nach dem Anlegen einer neuen Linkdatenbank &amp;anzeigen</translation>
    </message>
</context>
<context>
    <name>NewSiteCreatedDialogController</name>
    <message>
        <source>Show &amp;Tutorial</source>
        <translation>&amp;Einführung zeigen</translation>
    </message>
</context>
<context>
    <name>NewSiteDialog</name>
    <message>
        <source>New Links Database</source>
        <translation>Neue Linkdatenbank</translation>
    </message>
    <message>
        <source>Create a new links database</source>
        <translation>Eine neue Linkdatenbank anlegen</translation>
    </message>
    <message>
        <source>&lt;p&gt;A links database holds the link exchanges of one of your web sites: the partner sites, the state of each exchange, the messages you send them and the links page you publish.&lt;/p&gt;&lt;p&gt;This assistant asks for a few facts about your site: its title and description, its addresses, how partners can reach you and how your links page is laid out. You can change all of them later with the Site Info command.&lt;/p&gt;&lt;p&gt;Click Continue to begin.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Eine Linkdatenbank enthält den Linktausch einer Ihrer Websites: die Partner-Websites, den Stand jedes Tauschs, die Nachrichten, die Sie ihnen senden, und die Linkseite, die Sie veröffentlichen.&lt;/p&gt;&lt;p&gt;Dieser Assistent fragt nach einigen Angaben zu Ihrer Website: Titel und Beschreibung, Adressen, wie Partner Sie erreichen und wie Ihre Linkseite aufgebaut ist. Alles können Sie später mit dem Befehl „Website-Informationen“ ändern.&lt;/p&gt;&lt;p&gt;Klicken Sie auf „Weiter“, um zu beginnen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Your web site</source>
        <translation>Ihre Website</translation>
    </message>
    <message>
        <source>Partners see the title and the description in the link they place to your site, so write them the way you would like to be listed.</source>
        <translation>Partner übernehmen Titel und Beschreibung in den Link zu Ihrer Website; schreiben Sie sie also so, wie Sie aufgeführt werden möchten.</translation>
    </message>
    <message>
        <source>&amp;Title*:</source>
        <translation>&amp;Titel*:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>&amp;Keywords:</source>
        <translation>Sti&amp;chwörter:</translation>
    </message>
    <message>
        <source>words partners may search for, separated by commas</source>
        <translation>Wörter, nach denen Partner suchen können, durch Kommas getrennt</translation>
    </message>
    <message>
        <source>* required</source>
        <translation>* Pflichtfeld</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Adressen</translation>
    </message>
    <message>
        <source>The main page is the address your partners link to; verification looks for it on their links pages. Your links page is where you list your partners.</source>
        <translation>Die Startseite ist die Adresse, auf die Ihre Partner verlinken; die Prüfung sucht sie auf deren Linkseiten. Auf Ihrer Linkseite führen Sie Ihre Partner auf.</translation>
    </message>
    <message>
        <source>&amp;Main Page URL*:</source>
        <translation>&amp;Startseiten-URL*:</translation>
    </message>
    <message>
        <source>T&amp;est</source>
        <translation>&amp;Testen</translation>
    </message>
    <message>
        <source>Open this address in your web browser</source>
        <translation>Diese Adresse in Ihrem Webbrowser öffnen</translation>
    </message>
    <message>
        <source>&amp;Links Page URL:</source>
        <translation>&amp;Linkseiten-URL:</translation>
    </message>
    <message>
        <source>Te&amp;st</source>
        <translation>Test&amp;en</translation>
    </message>
    <message>
        <source>Webmaster contact</source>
        <translation>Kontakt zum Webmaster</translation>
    </message>
    <message>
        <source>Your messages to partners are signed with this name, and partners can write to this address. All three are optional.</source>
        <translation>Ihre Nachrichten an Partner werden mit diesem Namen unterzeichnet, und Partner können an diese Adresse schreiben. Alle drei Angaben sind freiwillig.</translation>
    </message>
    <message>
        <source>&amp;First name:</source>
        <translation>&amp;Vorname:</translation>
    </message>
    <message>
        <source>L&amp;ast name:</source>
        <translation>Nac&amp;hname:</translation>
    </message>
    <message>
        <source>&amp;E-mail:</source>
        <translation>E-Ma&amp;il:</translation>
    </message>
    <message>
        <source>Links page layout</source>
        <translation>Aufbau der Linkseite</translation>
    </message>
    <message>
        <source>How should your links page list your partners?</source>
        <translation>Wie soll Ihre Linkseite Ihre Partner aufführen?</translation>
    </message>
    <message>
        <source>&amp;One single page with every category</source>
        <translation>&amp;Eine einzige Seite mit allen Kategorien</translation>
    </message>
    <message>
        <source>An &amp;index page and one page per category</source>
        <translation>Eine Ü&amp;bersichtsseite und je eine Seite pro Kategorie</translation>
    </message>
    <message>
        <source>Click Create to make the new links database. It starts with three e-mail templates to write to partners with: a first contact, a reminder, and a note that your link is missing from their page. Change them with Tools ▸ E-mail Templates.</source>
        <translation>Klicken Sie auf „Erstellen“, um die neue Linkdatenbank anzulegen. Sie enthält zu Beginn drei E-Mail-Vorlagen zum Schreiben an Partner: eine erste Kontaktaufnahme, eine Erinnerung und einen Hinweis, dass Ihr Link auf deren Seite fehlt. Ändern können Sie sie unter Extras ▸ E-Mail-Vorlagen.</translation>
    </message>
</context>
<context>
    <name>NewSiteDialogController</name>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>C&amp;reate</source>
        <translation>E&amp;rstellen</translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <translation>Schritt %1 von %2</translation>
    </message>
</context>
<context>
    <name>NotificationComputer</name>
    <message>
        <source>Partner site does not respond.</source>
        <translation>Die Partner-Website antwortet nicht.</translation>
    </message>
    <message>
        <source>Links page cannot be loaded.</source>
        <translation>Die Linkseite kann nicht geladen werden.</translation>
    </message>
    <message>
        <source>Reciprocal link cannot be found.</source>
        <translation>Der Gegenlink wurde nicht gefunden.</translation>
    </message>
    <message numerus="yes">
        <source>Negotiation not started after %n days.</source>
        <translation>
            <numerusform>Verhandlung nach %n Tag nicht begonnen.</numerusform>
            <numerusform>Verhandlung nach %n Tagen nicht begonnen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Negotiation lasting more than %n days.</source>
        <translation>
            <numerusform>Verhandlung dauert länger als %n Tag.</numerusform>
            <numerusform>Verhandlung dauert länger als %n Tage.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Link verified more than %n days ago.</source>
        <translation>
            <numerusform>Link vor mehr als %n Tag geprüft.</numerusform>
            <numerusform>Link vor mehr als %n Tagen geprüft.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Category contains more than %n links.</source>
        <translation>
            <numerusform>Kategorie enthält mehr als %n Link.</numerusform>
            <numerusform>Kategorie enthält mehr als %n Links.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NotificationDialog</name>
    <message>
        <source>Notification Settings</source>
        <translation>Benachrichtigungseinstellungen</translation>
    </message>
    <message>
        <source>Remind me of links that need attention when:</source>
        <translation>An Links erinnern, die Aufmerksamkeit brauchen, wenn:</translation>
    </message>
    <message>
        <source>&amp;Negotiation not started after</source>
        <translation>&amp;Verhandlung nicht begonnen nach</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tagen</translation>
    </message>
    <message>
        <source>Negotiation &amp;lasting more than</source>
        <translation>Verhandlung &amp;dauert länger als</translation>
    </message>
    <message>
        <source>Link &amp;verified more than</source>
        <translation>Link &amp;geprüft vor mehr als</translation>
    </message>
    <message>
        <source>days ago</source>
        <translation>Tagen</translation>
    </message>
    <message>
        <source>&amp;Category contains more than</source>
        <translation>&amp;Kategorie enthält mehr als</translation>
    </message>
    <message>
        <source>links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Link verified &amp;unsuccessfully</source>
        <translation>Link &amp;ohne Erfolg geprüft</translation>
    </message>
</context>
<context>
    <name>NotificationDialogController</name>
    <message numerus="yes">
        <source>day(s)</source>
        <translation>
            <numerusform>Tag</numerusform>
            <numerusform>Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>day(s) ago</source>
        <translation>
            <numerusform>Tag</numerusform>
            <numerusform>Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>link(s)</source>
        <translation>
            <numerusform>Link</numerusform>
            <numerusform>Links</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NotificationSettingsForm</name>
    <message>
        <source>Negotiation Not Started</source>
        <translation>Verhandlung nicht begonnen</translation>
    </message>
    <message>
        <source>Lasting Negotiation</source>
        <translation>Andauernde Verhandlung</translation>
    </message>
    <message>
        <source>Link Verification</source>
        <translation>Linkprüfung</translation>
    </message>
    <message>
        <source>Links in Category</source>
        <translation>Links in der Kategorie</translation>
    </message>
    <message>
        <source>The %1 field does not contain a valid number.</source>
        <translation>Das Feld „%1“ enthält keine gültige Zahl.</translation>
    </message>
    <message>
        <source>Enter a whole number from %1 to %2.</source>
        <translation>Geben Sie eine ganze Zahl von %1 bis %2 ein.</translation>
    </message>
</context>
<context>
    <name>NotificationSort</name>
    <message>
        <source>%1 notification</source>
        <translation>%1 Benachrichtigung</translation>
    </message>
    <message>
        <source>%1 notifications</source>
        <translation>%1 Benachrichtigungen</translation>
    </message>
</context>
<context>
    <name>OutboxWindow</name>
    <message>
        <source>Follow-up %1</source>
        <translation>Folgenachricht %1</translation>
    </message>
    <message>
        <source>Lost link</source>
        <translation>Verlorener Link</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Outbox</source>
        <translation>Postausgang</translation>
    </message>
    <message>
        <source>&amp;Messages waiting, failed or due:</source>
        <translation>&amp;Wartende, fehlgeschlagene oder fällige Nachrichten:</translation>
    </message>
    <message>
        <source>Outbox messages</source>
        <translation>Nachrichten im Postausgang</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>To</source>
        <translation>An</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Senden</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>A message failed: %1</source>
        <translation>Eine Nachricht schlug fehl: %1</translation>
    </message>
    <message>
        <source>Sending %1 of %2…</source>
        <translation>Sende %1 von %2…</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Fällig</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>No sender address: set one in Preferences › Mail.</source>
        <translation>Keine Absenderadresse: Tragen Sie eine in Einstellungen › Mail ein.</translation>
    </message>
    <message>
        <source>The message log cannot be written; nothing was sent.</source>
        <translation>Das Nachrichtenprotokoll kann nicht geschrieben werden; nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>Edit Message</source>
        <translation>Nachricht bearbeiten</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>&amp;An:</translation>
    </message>
    <message>
        <source>&amp;Subject:</source>
        <translation>&amp;Betreff:</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Nachricht:</translation>
    </message>
    <message>
        <source>The message could not be changed.</source>
        <translation>Die Nachricht konnte nicht geändert werden.</translation>
    </message>
</context>
<context>
    <name>OwnPageCheck</name>
    <message>
        <source>Missing from the page</source>
        <translation>Fehlt auf der Seite</translation>
    </message>
    <message>
        <source>On the page, but hidden</source>
        <translation>Auf der Seite, aber verborgen</translation>
    </message>
    <message>
        <source>On the page, but not followed (nofollow)</source>
        <translation>Auf der Seite, aber nicht verfolgt (nofollow)</translation>
    </message>
    <message>
        <source>On the page, but should not be (blocked or not to be published)</source>
        <translation>Auf der Seite, sollte es aber nicht sein (gesperrt oder nicht zu veröffentlichen)</translation>
    </message>
    <message>
        <source>The site profile has no links page address (http or https) to check. Enter it with Edit Site Info.</source>
        <translation>Das Website-Profil hat keine Adresse der Linkseite (http oder https) zum Prüfen. Geben Sie sie unter „Website-Informationen“ ein.</translation>
    </message>
</context>
<context>
    <name>OwnPageCheckDialogController</name>
    <message>
        <source>Check My Links Page</source>
        <translation>Meine Linkseite prüfen</translation>
    </message>
    <message>
        <source>Pages read</source>
        <translation>Gelesene Seiten</translation>
    </message>
    <message>
        <source>Partner</source>
        <translation>Partner</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Partners the page gets wrong</source>
        <translation>Partner, die auf der Seite falsch stehen</translation>
    </message>
    <message>
        <source>Check &amp;Again</source>
        <translation>&amp;Erneut prüfen</translation>
    </message>
    <message>
        <source>Check My Links Page – %1</source>
        <translation>Meine Linkseite prüfen – %1</translation>
    </message>
    <message>
        <source>Reading the published page (%1 of %2)…</source>
        <translation>Die veröffentlichte Seite wird gelesen (%1 von %2)…</translation>
    </message>
    <message>
        <source>Looking for every partner on the page…</source>
        <translation>Jeder Partner wird auf der Seite gesucht…</translation>
    </message>
    <message>
        <source>Checked %1: every partner is on the page as it should be.</source>
        <translation>Geprüft %1: Jeder Partner steht so auf der Seite, wie er soll.</translation>
    </message>
    <message>
        <source>%1 could not be read (%2); its partners were not checked.</source>
        <translation>%1 konnte nicht gelesen werden (%2); ihre Partner wurden nicht geprüft.</translation>
    </message>
    <message>
        <source>Checked %1: 1 partner needs attention.</source>
        <translation>Geprüft %1: 1 Partner braucht Aufmerksamkeit.</translation>
    </message>
    <message>
        <source>Checked %1: %2 partners need attention.</source>
        <translation>Geprüft %1: %2 Partner brauchen Aufmerksamkeit.</translation>
    </message>
</context>
<context>
    <name>OwnPageChecker</name>
    <message>
        <source>the server answered with status %1</source>
        <translation>der Server antwortete mit Status %1</translation>
    </message>
</context>
<context>
    <name>PageFetcher</name>
    <message>
        <source>The address is not valid.</source>
        <translation>Die Adresse ist ungültig.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>Only web and file addresses can be loaded.</source>
        <translation>Nur Web- und Dateiadressen können geladen werden.</translation>
    </message>
    <message>
        <source>Too many redirects.</source>
        <translation>Zu viele Weiterleitungen.</translation>
    </message>
    <message>
        <source>Redirected to an address that cannot be loaded.</source>
        <translation>Weitergeleitet an eine Adresse, die nicht geladen werden kann.</translation>
    </message>
    <message>
        <source>No answer after %1 s.</source>
        <translation>Keine Antwort nach %1 s.</translation>
    </message>
    <message>
        <source>Secure connection (TLS) failed: %1</source>
        <translation>Sichere Verbindung (TLS) fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Redirected to an address of %1 bytes, too long to be followed.</source>
        <translation>Weitergeleitet an eine Adresse mit %1 Byte, zu lang, um ihr zu folgen.</translation>
    </message>
    <message>
        <source>Redirected without an address that can be followed.</source>
        <translation>Weitergeleitet ohne eine Adresse, der gefolgt werden kann.</translation>
    </message>
    <message>
        <source>No page after %1 s: the server&apos;s answer did not get past its headers.</source>
        <translation>Keine Seite nach %1 s: Die Antwort des Servers kam nicht über die Header hinaus.</translation>
    </message>
    <message>
        <source>The page&apos;s chunks could not be read.</source>
        <translation>Die Teilstücke (Chunks) der Seite konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The page cannot be read: %1</source>
        <translation>Die Seite kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The partner&apos;s server sent too many header fields</source>
        <translation>Der Server des Partners hat zu viele Header-Felder gesendet</translation>
    </message>
    <message>
        <source>The pages redirect in a loop: %1</source>
        <translation>Die Seiten leiten im Kreis weiter: %1</translation>
    </message>
    <message>
        <source>Redirected from the internet to %1, an address on the local network: not followed.</source>
        <translation>Aus dem Internet nach %1, einer Adresse im lokalen Netz, weitergeleitet: nicht gefolgt.</translation>
    </message>
</context>
<context>
    <name>PageSource</name>
    <message>
        <source>The pages could not be drawn.</source>
        <translation>Die Seiten konnten nicht gezeichnet werden.</translation>
    </message>
</context>
<context>
    <name>PasswordStore</name>
    <message>
        <source>The desktop keyring cannot be read: %1</source>
        <translation>Der Schlüsselbund der Arbeitsumgebung kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The password cannot be kept in the desktop keyring: %1</source>
        <translation>Das Passwort kann nicht im Schlüsselbund der Arbeitsumgebung abgelegt werden: %1</translation>
    </message>
    <message>
        <source>The password cannot be removed from the desktop keyring: %1</source>
        <translation>Das Passwort kann nicht aus dem Schlüsselbund der Arbeitsumgebung entfernt werden: %1</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>Save documents &amp;automatically</source>
        <translation>Dokumente &amp;automatisch speichern</translation>
    </message>
    <message>
        <source>Save &amp;every:</source>
        <translation>Speichern a&amp;lle:</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> Minuten</translation>
    </message>
    <message>
        <source>Keep a &amp;backup copy of the previous file when saving</source>
        <translation>Beim Speichern eine &amp;Sicherungskopie der vorherigen Datei behalten</translation>
    </message>
    <message>
        <source>Start-up and new databases</source>
        <translation>Programmstart und neue Datenbanken</translation>
    </message>
    <message>
        <source>At &amp;start-up:</source>
        <translation>Beim S&amp;tart:</translation>
    </message>
    <message>
        <source>Reopen the last links database</source>
        <translation>Die letzte Linkdatenbank wieder öffnen</translation>
    </message>
    <message>
        <source>Show the Open dialog</source>
        <translation>Den Öffnen-Dialog anzeigen</translation>
    </message>
    <message>
        <source>Show the welcome window</source>
        <translation>Das Willkommensfenster anzeigen</translation>
    </message>
    <message>
        <source>Show a &amp;message after creating a new links database</source>
        <translation>Nach dem Anlegen einer neuen Linkdatenbank eine &amp;Meldung anzeigen</translation>
    </message>
    <message>
        <source>Text encodings</source>
        <translation>Textkodierungen</translation>
    </message>
    <message>
        <source>Unicode (UTF-8)</source>
        <translation>Unicode (UTF-8)</translation>
    </message>
    <message>
        <source>Mac OS Roman</source>
        <translation>Mac OS Roman</translation>
    </message>
    <message>
        <source>E&amp;xported spreadsheets:</source>
        <translation>E&amp;xportierte Tabellen:</translation>
    </message>
    <message>
        <source>Unicode (UTF-16)</source>
        <translation>Unicode (UTF-16)</translation>
    </message>
    <message>
        <source>ISO Latin 1</source>
        <translation>ISO Latin 1</translation>
    </message>
    <message>
        <source>&amp;Verify links after:</source>
        <translation>Links &amp;prüfen nach:</translation>
    </message>
    <message>
        <source>While a database is open, its links not checked for this many days are checked in the background, every hour. Never: links are checked only when you verify them.</source>
        <translation>Solange eine Datenbank geöffnet ist, werden ihre Links, die so viele Tage nicht geprüft wurden, stündlich im Hintergrund geprüft. Nie: Links werden nur geprüft, wenn Sie sie selbst prüfen.</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tagen</translation>
    </message>
    <message>
        <source>E-mai&amp;l messages:</source>
        <translation>E-Mail-&amp;Nachrichten:</translation>
    </message>
    <message>
        <source>Verification</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>How many links are checked at the same time. Checking is mostly waiting for servers, so more finishes a large database sooner.</source>
        <translation>Wie viele Links gleichzeitig geprüft werden. Beim Prüfen wird meist auf Server gewartet; mit mehr Links auf einmal ist eine große Datenbank schneller fertig.</translation>
    </message>
    <message>
        <source>&amp;Requests to one server at once (1–16):</source>
        <translation>Gleichzeitige Anf&amp;ragen an einen Server (1–16):</translation>
    </message>
    <message>
        <source>How many pages are loaded from one server at the same time. Fewer is gentler on servers that hold many partners; a server that asks for a pause is left alone that long.</source>
        <translation>Wie viele Seiten gleichzeitig von einem Server geladen werden. Weniger schont Server, auf denen viele Partner liegen; ein Server, der um eine Pause bittet, wird so lange in Ruhe gelassen.</translation>
    </message>
    <message>
        <source>Links &amp;checked at once (1–64):</source>
        <translation>&amp;Gleichzeitig geprüfte Links (1–64):</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Losses and alerts</source>
        <translation>Verluste und Meldungen</translation>
    </message>
    <message>
        <source>Look &amp;again for a missing link after (seconds, 0–600):</source>
        <translation>Fehlenden Link erneut su&amp;chen nach (Sekunden, 0–600):</translation>
    </message>
    <message>
        <source>When a link found before is missing, its links page is loaded once more after this pause, past any cache, before the link counts as lost. Other links are checked meanwhile.</source>
        <translation>Fehlt ein zuvor gefundener Link, wird seine Linkseite nach dieser Pause noch einmal an allen Caches vorbei geladen, bevor der Link als verloren gilt. Andere Links werden inzwischen geprüft.</translation>
    </message>
    <message>
        <source>Pages &amp;searched for a link that moved (0–200):</source>
        <translation>Durch&amp;suchte Seiten für einen umgezogenen Link (0–200):</translation>
    </message>
    <message>
        <source>Before a link counts as lost, this many pages of the partner&apos;s site are searched for it: pages its sitemaps name and pages the links page links to. None: no search.</source>
        <translation>Bevor ein Link als verloren gilt, werden so viele Seiten der Partner-Website nach ihm durchsucht: Seiten aus ihren Sitemaps und Seiten, auf die die Linkseite verweist. Keine: keine Suche.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Report a site &amp;unreachable after (days, 1–90):</source>
        <translation>Website als nicht erreichbar melden &amp;nach (Tage, 1–90):</translation>
    </message>
    <message>
        <source>A partner site whose every check of this many days could not load it or was refused, after a check that found your link, is reported once.</source>
        <translation>Eine Partner-Website, die bei jeder Prüfung so vieler Tage nicht geladen werden konnte oder die Prüfung abwies, nachdem eine Prüfung Ihren Link gefunden hatte, wird einmal gemeldet.</translation>
    </message>
    <message>
        <source>Search &amp;engine for robots.txt:</source>
        <translation>Such&amp;maschine für robots.txt:</translation>
    </message>
    <message>
        <source>The search engine whose rules in a partner&apos;s robots.txt decide whether your link on the links page is followed. Empty: robots.txt decides nothing.</source>
        <translation>Die Suchmaschine, deren Regeln in der robots.txt eines Partners entscheiden, ob Ihr Link auf der Linkseite verfolgt wird. Leer: robots.txt entscheidet nichts.</translation>
    </message>
    <message>
        <source>Googlebot</source>
        <translation>Googlebot</translation>
    </message>
    <message>
        <source>&amp;Warn above this many followed links to other sites:</source>
        <translation>&amp;Warnen ab so vielen verfolgten Links zu anderen Websites:</translation>
    </message>
    <message>
        <source>A links page with more followed links to other sites than this is called crowded in the details of its check: each link there is worth little.</source>
        <translation>Eine Linkseite mit mehr verfolgten Links zu anderen Websites heißt in den Details ihrer Prüfung überfüllt: Jeder Link dort ist wenig wert.</translation>
    </message>
</context>
<context>
    <name>PreferencesDialogController</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>Mail</translation>
    </message>
</context>
<context>
    <name>PreviewPage</name>
    <message>
        <source>The sample page is missing.</source>
        <translation>Die Beispielseite fehlt.</translation>
    </message>
</context>
<context>
    <name>PrintPainter</name>
    <message>
        <source>The pages could not be drawn.</source>
        <translation>Die Seiten konnten nicht gezeichnet werden.</translation>
    </message>
    <message>
        <source>Page %1 could not be started.</source>
        <translation>Seite %1 konnte nicht begonnen werden.</translation>
    </message>
    <message>
        <source>Last status change date</source>
        <translation>Datum der letzten Statusänderung</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>%1 link in database</source>
        <translation>%1 Link in der Datenbank</translation>
    </message>
    <message>
        <source>%1 links in database</source>
        <translation>%1 Links in der Datenbank</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>PrintPreviewDialog</name>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>Previous page (Page Up)</source>
        <translation>Vorherige Seite (Bild auf)</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>Vorherige Seite</translation>
    </message>
    <message>
        <source>Pa&amp;ge:</source>
        <translation>&amp;Seite:</translation>
    </message>
    <message>
        <source>of 1</source>
        <translation>von 1</translation>
    </message>
    <message>
        <source>Next page (Page Down)</source>
        <translation>Nächste Seite (Bild ab)</translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom:</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>Zoom out (Ctrl+Minus)</source>
        <translation>Verkleinern (Strg+Minus)</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom in (Ctrl+Plus)</source>
        <translation>Vergrößern (Strg+Plus)</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>&amp;Export as PDF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
</context>
<context>
    <name>PrintPreviewDialogController</name>
    <message>
        <source>Fit Width</source>
        <translation>Seitenbreite</translation>
    </message>
    <message>
        <source>Fit Page</source>
        <translation>Ganze Seite</translation>
    </message>
    <message>
        <source>Print Preview: %1</source>
        <translation>Druckvorschau: %1</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>von %1</translation>
    </message>
</context>
<context>
    <name>PublishCommands</name>
    <message>
        <source>Links Page Setup</source>
        <translation>Linkseite einrichten</translation>
    </message>
    <message>
        <source>There are no exportable links in this database. Export options can be set by choosing the Links Page Setup command under the Tools menu.</source>
        <translation>Diese Datenbank enthält keine exportierbaren Links. Die Exportoptionen legen Sie mit dem Befehl „Linkseite einrichten“ im Menü „Extras“ fest.</translation>
    </message>
    <message>
        <source>There are no links in this database.</source>
        <translation>Diese Datenbank enthält keine Links.</translation>
    </message>
    <message>
        <source>The links page cannot be copied to the clipboard.</source>
        <translation>Die Linkseite kann nicht in die Zwischenablage kopiert werden.</translation>
    </message>
    <message>
        <source>This category cannot be copied to the clipboard.</source>
        <translation>Diese Kategorie kann nicht in die Zwischenablage kopiert werden.</translation>
    </message>
    <message>
        <source>There are no exportable links in the selected category. Export options can be set by choosing the Links Page Setup command under the Tools menu.</source>
        <translation>Die ausgewählte Kategorie enthält keine exportierbaren Links. Die Exportoptionen legen Sie mit dem Befehl „Linkseite einrichten“ im Menü „Extras“ fest.</translation>
    </message>
    <message>
        <source>This database cannot be copied to the clipboard.</source>
        <translation>Diese Datenbank kann nicht in die Zwischenablage kopiert werden.</translation>
    </message>
    <message>
        <source>The links page cannot be exported.</source>
        <translation>Die Linkseite kann nicht exportiert werden.</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Web pages (*.html *.htm)</source>
        <translation>Webseiten (*.html *.htm)</translation>
    </message>
    <message>
        <source>This database cannot be exported.</source>
        <translation>Diese Datenbank kann nicht exportiert werden.</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>The links could not be exported.</source>
        <translation>Die Links konnten nicht exportiert werden.</translation>
    </message>
    <message>
        <source>An error occured while saving the files.</source>
        <translation>Beim Speichern der Dateien ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The links were exported successfully.</source>
        <translation>Die Links wurden erfolgreich exportiert.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open Page</source>
        <translation>Seite öffnen</translation>
    </message>
    <message>
        <source>The page could not be opened.</source>
        <translation>Die Seite konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>No application could open the file &quot;%1&quot;.</source>
        <translation>Keine Anwendung konnte die Datei „%1“ öffnen.</translation>
    </message>
    <message>
        <source>An error occured while saving the file.</source>
        <translation>Beim Speichern der Datei ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Kommagetrennte Werte (*.csv)</translation>
    </message>
    <message>
        <source>Some characters cannot be exported.</source>
        <translation>Einige Zeichen können nicht exportiert werden.</translation>
    </message>
    <message>
        <source>Export in UTF-8</source>
        <translation>In UTF-8 exportieren</translation>
    </message>
    <message>
        <source>Export Anyway</source>
        <translation>Trotzdem exportieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>PublishDestination</name>
    <message>
        <source>Plain FTP sends the password unencrypted and is not offered; use ftps:// or sftp://.</source>
        <translation>Einfaches FTP sendet das Kennwort unverschlüsselt und wird nicht angeboten; verwenden Sie ftps:// oder sftp://.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a destination of the form sftp://USER@HOST:PORT/FOLDER or ftps://USER@HOST:PORT/FOLDER.</source>
        <translation>„%1“ ist kein Ziel der Form sftp://BENUTZER@HOST:PORT/ORDNER oder ftps://BENUTZER@HOST:PORT/ORDNER.</translation>
    </message>
    <message>
        <source>The destination &quot;%1&quot; needs a user name and a host (USER@HOST).</source>
        <translation>Das Ziel „%1“ braucht einen Benutzernamen und einen Host (BENUTZER@HOST).</translation>
    </message>
    <message>
        <source>Do not put the password into the destination: it would show in the process list. The keyring or QUILLMARSH_PUBLISH_PASSWORD provides it.</source>
        <translation>Schreiben Sie das Kennwort nicht in das Ziel: Es wäre in der Prozessliste zu sehen. Der Schlüsselbund oder QUILLMARSH_PUBLISH_PASSWORD liefert es.</translation>
    </message>
</context>
<context>
    <name>PublishDialogController</name>
    <message>
        <source>Publish Links Page</source>
        <translation>Linkseite veröffentlichen</translation>
    </message>
    <message>
        <source>The links page is exported and the files that changed since the last publish are sent to your web server. Plain FTP is not offered: it sends the password unencrypted.</source>
        <translation>Die Linkseite wird exportiert, und die seit der letzten Veröffentlichung geänderten Dateien werden an Ihren Webserver gesendet. Einfaches FTP wird nicht angeboten: Es sendet das Kennwort unverschlüsselt.</translation>
    </message>
    <message>
        <source>SFTP (SSH)</source>
        <translation>SFTP (SSH)</translation>
    </message>
    <message>
        <source>FTPS (FTP with TLS)</source>
        <translation>FTPS (FTP mit TLS)</translation>
    </message>
    <message>
        <source>&amp;Protocol:</source>
        <translation>&amp;Protokoll:</translation>
    </message>
    <message>
        <source>www.example.com</source>
        <translation>www.example.com</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>S&amp;erver:</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>Por&amp;t:</translation>
    </message>
    <message>
        <source>public_html/links</source>
        <translation>public_html/links</translation>
    </message>
    <message>
        <source>The folder of the links page on the server: in your home folder, or from the top when it starts with /</source>
        <translation>Der Ordner der Linkseite auf dem Server: in Ihrem persönlichen Ordner, oder von oben, wenn er mit / beginnt</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>none: log in with the password</source>
        <translation>keine: mit dem Kennwort anmelden</translation>
    </message>
    <message>
        <source>C&amp;hoose...</source>
        <translation>Aus&amp;wählen...</translation>
    </message>
    <message>
        <source>Choose a key file</source>
        <translation>Eine Schlüsseldatei auswählen</translation>
    </message>
    <message>
        <source>SSH &amp;key file:</source>
        <translation>SSH-Schlüssel&amp;datei:</translation>
    </message>
    <message>
        <source>The password, or the key&apos;s passphrase</source>
        <translation>Das Kennwort oder die Passphrase des Schlüssels</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>&amp;Kennwort:</translation>
    </message>
    <message>
        <source>&amp;Remember the password in the keyring</source>
        <translation>Kennwort im Schlüsselbund &amp;merken</translation>
    </message>
    <message>
        <source>Files sent</source>
        <translation>Gesendete Dateien</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Server&apos;s answer</source>
        <translation>Antwort des Servers</translation>
    </message>
    <message>
        <source>Files of the links page</source>
        <translation>Dateien der Linkseite</translation>
    </message>
    <message>
        <source>&amp;List Changes</source>
        <translation>Änderungen &amp;anzeigen</translation>
    </message>
    <message>
        <source>Shows which files would be sent, without sending them</source>
        <translation>Zeigt, welche Dateien gesendet würden, ohne sie zu senden</translation>
    </message>
    <message>
        <source>P&amp;ublish</source>
        <translation>&amp;Veröffentlichen</translation>
    </message>
    <message>
        <source>Enter the server&apos;s name.</source>
        <translation>Geben Sie den Namen des Servers ein.</translation>
    </message>
    <message>
        <source>Enter your user name on the server.</source>
        <translation>Geben Sie Ihren Benutzernamen auf dem Server ein.</translation>
    </message>
    <message>
        <source>Enter the password, or choose a key file.</source>
        <translation>Geben Sie das Kennwort ein oder wählen Sie eine Schlüsseldatei.</translation>
    </message>
    <message>
        <source>Sending %1 (%2 of %3)…</source>
        <translation>%1 wird gesendet (%2 von %3)…</translation>
    </message>
    <message>
        <source>Choose an SSH Key</source>
        <translation>SSH-Schlüssel auswählen</translation>
    </message>
    <message>
        <source>User &amp;name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
</context>
<context>
    <name>PublishSiteCommands</name>
    <message>
        <source>The links page cannot be published.</source>
        <translation>Die Linkseite kann nicht veröffentlicht werden.</translation>
    </message>
    <message>
        <source>Publish Destination</source>
        <translation>Veröffentlichungsziel</translation>
    </message>
    <message>
        <source>The password could not be kept in the keyring: %1</source>
        <translation>Das Kennwort konnte nicht im Schlüsselbund gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The publish stopped; the files not sent keep what the server had.</source>
        <translation>Die Veröffentlichung wurde angehalten; die nicht gesendeten Dateien behalten den Stand des Servers.</translation>
    </message>
    <message>
        <source>Nothing has changed since the last publish.</source>
        <translation>Seit der letzten Veröffentlichung hat sich nichts geändert.</translation>
    </message>
    <message>
        <source>Nothing has changed since the last publish: nothing was sent.</source>
        <translation>Seit der letzten Veröffentlichung hat sich nichts geändert: Nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>Do you trust this server?</source>
        <translation>Vertrauen Sie diesem Server?</translation>
    </message>
    <message>
        <source>The server %1 is not known yet. Its key&apos;s fingerprint is:

%2

Compare it with the one your host gives you; accept it only if they are the same.</source>
        <translation>Der Server %1 ist noch nicht bekannt. Der Fingerabdruck seines Schlüssels lautet:

%2

Vergleichen Sie ihn mit dem, den Ihr Anbieter Ihnen nennt; nehmen Sie ihn nur an, wenn beide gleich sind.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Trust and Publish</source>
        <translation>Vertrauen und veröffentlichen</translation>
    </message>
    <message>
        <source>1 file would be sent.</source>
        <translation>1 Datei würde gesendet.</translation>
    </message>
    <message>
        <source>%1 files would be sent.</source>
        <translation>%1 Dateien würden gesendet.</translation>
    </message>
    <message>
        <source>1 file was sent.</source>
        <translation>1 Datei wurde gesendet.</translation>
    </message>
    <message>
        <source>%1 files were sent.</source>
        <translation>%1 Dateien wurden gesendet.</translation>
    </message>
</context>
<context>
    <name>ReadMeController</name>
    <message>
        <source>Quillmarsh Read Me</source>
        <translation>Quillmarsh – Liesmich</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken…</translation>
    </message>
</context>
<context>
    <name>RemindersPanel</name>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Due reminders</source>
        <translation>Fällige Erinnerungen</translation>
    </message>
</context>
<context>
    <name>ReportCommands</name>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>The document could not be printed.</source>
        <translation>Das Dokument konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The printer reported an error.</source>
        <translation>Der Drucker hat einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF-Dokumente (*.pdf)</translation>
    </message>
    <message>
        <source>The PDF document could not be saved.</source>
        <translation>Das PDF-Dokument konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>%1

File: %2</source>
        <translation>%1

Datei: %2</translation>
    </message>
</context>
<context>
    <name>ResponsivePageBuilder</name>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Site Listings</source>
        <translation>Website-Einträge</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Link to us</source>
        <translation>Verlinken Sie uns</translation>
    </message>
    <message>
        <source>To link to this site, copy this HTML code into your page:</source>
        <translation>Um auf diese Website zu verlinken, kopieren Sie diesen HTML-Code in Ihre Seite:</translation>
    </message>
</context>
<context>
    <name>SearchCommands</name>
    <message>
        <source>%L1 of %L2</source>
        <translation>%L1 von %L2</translation>
    </message>
    <message>
        <source>Search started again from the top</source>
        <translation>Suche wieder von vorn begonnen</translation>
    </message>
</context>
<context>
    <name>SearchCriterionView</name>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Remove this condition</source>
        <translation>Diese Bedingung entfernen</translation>
    </message>
    <message>
        <source>Add a condition below this one</source>
        <translation>Unter dieser eine Bedingung hinzufügen</translation>
    </message>
    <message>
        <source>Field of condition %1</source>
        <translation>Feld der Bedingung %1</translation>
    </message>
    <message>
        <source>Operation of condition %1</source>
        <translation>Vergleich der Bedingung %1</translation>
    </message>
    <message>
        <source>Value of condition %1</source>
        <translation>Wert der Bedingung %1</translation>
    </message>
    <message>
        <source>Remove condition %1</source>
        <translation>Bedingung %1 entfernen</translation>
    </message>
    <message>
        <source>Add a condition below condition %1</source>
        <translation>Unter Bedingung %1 eine Bedingung hinzufügen</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>Find Links</source>
        <translation>Links suchen</translation>
    </message>
    <message>
        <source>Find links that match the following condition:</source>
        <translation>Links suchen, die folgende Bedingung erfüllen:</translation>
    </message>
    <message>
        <source>Find links that &amp;match</source>
        <translation>Links suchen, &amp;die</translation>
    </message>
    <message>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>any</source>
        <translation>eine</translation>
    </message>
    <message>
        <source>of the following conditions:</source>
        <translation>der folgenden Bedingungen erfüllen:</translation>
    </message>
</context>
<context>
    <name>SearchDialogController</name>
    <message>
        <source>Conditions to match</source>
        <translation>Zu erfüllende Bedingungen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
</context>
<context>
    <name>SearchForm</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Links Page URL</source>
        <translation>Linkseiten-URL</translation>
    </message>
    <message>
        <source>Category on Partner Site</source>
        <translation>Kategorie auf der Partner-Website</translation>
    </message>
    <message>
        <source>Webmaster First Name</source>
        <translation>Vorname des Webmasters</translation>
    </message>
    <message>
        <source>Webmaster Last Name</source>
        <translation>Nachname des Webmasters</translation>
    </message>
    <message>
        <source>Webmaster E-mail</source>
        <translation>E-Mail des Webmasters</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Requested By</source>
        <translation>Angefragt von</translation>
    </message>
    <message>
        <source>Date Created</source>
        <translation>Erstellt am</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Last Status Change</source>
        <translation>Letzte Statusänderung</translation>
    </message>
    <message>
        <source>is</source>
        <translation>ist</translation>
    </message>
    <message>
        <source>is not</source>
        <translation>ist nicht</translation>
    </message>
    <message>
        <source>is before</source>
        <translation>ist vor</translation>
    </message>
    <message>
        <source>is after</source>
        <translation>ist nach</translation>
    </message>
    <message>
        <source>contains</source>
        <translation>enthält</translation>
    </message>
    <message>
        <source>does not contain</source>
        <translation>enthält nicht</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Negotiating</source>
        <translation>In Verhandlung</translation>
    </message>
    <message>
        <source>Approved</source>
        <translation>Bestätigt</translation>
    </message>
    <message>
        <source>Blocked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Erhalten</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>One or more conditions are empty or conflict with each other.</source>
        <translation>Eine oder mehrere Bedingungen sind leer oder widersprechen einander.</translation>
    </message>
    <message>
        <source>This will result in never matching a link.</source>
        <translation>Damit würde nie ein Link gefunden.</translation>
    </message>
    <message>
        <source>No links were found.</source>
        <translation>Es wurden keine Links gefunden.</translation>
    </message>
    <message>
        <source>None of the links match the specified search conditions.</source>
        <translation>Kein Link erfüllt die angegebenen Suchbedingungen.</translation>
    </message>
    <message>
        <source>Last Verified</source>
        <translation>Zuletzt geprüft</translation>
    </message>
    <message>
        <source>Verification Result</source>
        <translation>Prüfergebnis</translation>
    </message>
    <message>
        <source>Link Followed</source>
        <translation>Link wird gefolgt</translation>
    </message>
    <message>
        <source>Verified successfully</source>
        <translation>Erfolgreich geprüft</translation>
    </message>
    <message>
        <source>Marked as verified (no check)</source>
        <translation>Als geprüft markiert (ohne Prüfung)</translation>
    </message>
    <message>
        <source>Link not found</source>
        <translation>Link nicht gefunden</translation>
    </message>
    <message>
        <source>Links page not loaded</source>
        <translation>Linkseite nicht geladen</translation>
    </message>
    <message>
        <source>Site not responding</source>
        <translation>Website antwortet nicht</translation>
    </message>
    <message>
        <source>No links page address</source>
        <translation>Keine Adresse der Linkseite</translation>
    </message>
    <message>
        <source>Never verified</source>
        <translation>Nie geprüft</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No (nofollow or hidden)</source>
        <translation>Nein (nofollow oder versteckt)</translation>
    </message>
</context>
<context>
    <name>SendMessagesDialog</name>
    <message>
        <source>Send Message to Selected Links</source>
        <translation>Nachricht an ausgewählte Links senden</translation>
    </message>
    <message>
        <source>&amp;Template:</source>
        <translation>&amp;Vorlage:</translation>
    </message>
    <message>
        <source>Recipients</source>
        <translation>Empfänger</translation>
    </message>
    <message>
        <source>Partner</source>
        <translation>Partner</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Pre&amp;view:</source>
        <translation>Vorsc&amp;hau:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>No pause</source>
        <translation>Ohne Pause</translation>
    </message>
    <message>
        <source> per minute</source>
        <translation> pro Minute</translation>
    </message>
    <message>
        <source>&amp;Pace:</source>
        <translation>Tem&amp;po:</translation>
    </message>
    <message>
        <source>Move &amp;New links to Negotiating</source>
        <translation>&amp;Neue Links auf In Verhandlung setzen</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Senden</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %n message(s) wait; Send resumes.</source>
        <translation>
            <numerusform>Gestoppt: %n Nachricht wartet; Senden setzt fort.</numerusform>
            <numerusform>Gestoppt: %n Nachrichten warten; Senden setzt fort.</numerusform>
        </translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>Skipped: no address</source>
        <translation>Übersprungen: keine Adresse</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>This partner has no e-mail address: no message goes to it.</source>
        <translation>Dieser Partner hat keine E-Mail-Adresse: Er erhält keine Nachricht.</translation>
    </message>
    <message>
        <source>To: %1
Subject: %2

%3</source>
        <translation>An: %1
Betreff: %2

%3</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Fortsetzen</translation>
    </message>
    <message>
        <source>No sender address: set one in Preferences › Mail.</source>
        <translation>Keine Absenderadresse: Tragen Sie eine in Einstellungen › Mail ein.</translation>
    </message>
    <message>
        <source>Save the database first: the messages are kept beside it.</source>
        <translation>Sichern Sie die Datenbank zuerst: Die Nachrichten werden neben ihr aufbewahrt.</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>Wird gesendet…</translation>
    </message>
    <message>
        <source>No recipient has an e-mail address.</source>
        <translation>Kein Empfänger hat eine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>Nothing left to send: every partner with an address has its message.</source>
        <translation>Nichts mehr zu senden: Jeder Partner mit Adresse hat seine Nachricht.</translation>
    </message>
    <message>
        <source>The message log cannot be written; nothing was sent.</source>
        <translation>Das Nachrichtenprotokoll kann nicht geschrieben werden; nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>Re&amp;cipients:</source>
        <translation>&amp;Empfänger:</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>St&amp;oppen</translation>
    </message>
</context>
<context>
    <name>SiteInfoCommands</name>
    <message>
        <source>Edit Site Info</source>
        <translation>Website-Informationen bearbeiten</translation>
    </message>
</context>
<context>
    <name>SiteInfoDialog</name>
    <message>
        <source>Site Info</source>
        <translation>Website-Info</translation>
    </message>
    <message>
        <source>Information about your web site. It fills the placeholders of your messages and your links page, and verification looks for the main page address on your partners&apos; pages.</source>
        <translation>Angaben zu Ihrer Website. Sie füllen die Platzhalter Ihrer Nachrichten und Ihrer Linkseite, und die Prüfung sucht die Adresse der Startseite auf den Seiten Ihrer Partner.</translation>
    </message>
    <message>
        <source>&amp;Title*:</source>
        <translation>&amp;Titel*:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>&amp;Keywords:</source>
        <translation>Stich&amp;wörter:</translation>
    </message>
    <message>
        <source>&amp;Main Page URL*:</source>
        <translation>&amp;Startseiten-URL*:</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open this address in your web browser</source>
        <translation>Diese Adresse in Ihrem Webbrowser öffnen</translation>
    </message>
    <message>
        <source>&amp;Links Page URL:</source>
        <translation>&amp;Linkseiten-URL:</translation>
    </message>
    <message>
        <source>G&amp;o</source>
        <translation>Öff&amp;nen</translation>
    </message>
    <message>
        <source>&amp;First name:</source>
        <translation>&amp;Vorname:</translation>
    </message>
    <message>
        <source>L&amp;ast name:</source>
        <translation>Nac&amp;hname:</translation>
    </message>
    <message>
        <source>&amp;E-mail:</source>
        <translation>E-Ma&amp;il:</translation>
    </message>
    <message>
        <source>* required</source>
        <translation>* Pflichtfeld</translation>
    </message>
</context>
<context>
    <name>SiteInfoDialogController</name>
    <message>
        <source>Close Database</source>
        <translation>Datenbank schließen</translation>
    </message>
</context>
<context>
    <name>SiteProfileForm</name>
    <message>
        <source>Some required fields are missing.</source>
        <translation>Einige Pflichtfelder sind leer.</translation>
    </message>
    <message>
        <source>All required fields must be specified. Required fields are marked with an asterisk.</source>
        <translation>Alle Pflichtfelder müssen ausgefüllt werden. Pflichtfelder sind mit einem Sternchen gekennzeichnet.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Stichwörter</translation>
    </message>
    <message>
        <source>Main Page URL</source>
        <translation>Startseiten-URL</translation>
    </message>
    <message>
        <source>Links Page URL</source>
        <translation>Linkseiten-URL</translation>
    </message>
    <message>
        <source>Contact First Name</source>
        <translation>Vorname des Kontakts</translation>
    </message>
    <message>
        <source>Contact Last Name</source>
        <translation>Nachname des Kontakts</translation>
    </message>
    <message>
        <source>Contact E-mail</source>
        <translation>E-Mail des Kontakts</translation>
    </message>
    <message>
        <source>The %1 field does not look like a web address.</source>
        <translation>Das Feld „%1“ sieht nicht nach einer Webadresse aus.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; contains a space or has no host name, as in http://www.example.com/. Correct it, or keep it as it is?</source>
        <translation>„%1“ enthält ein Leerzeichen oder keinen Hostnamen wie in http://www.example.com/. Korrigieren oder so behalten?</translation>
    </message>
    <message>
        <source>The %1 field does not look like an e-mail address.</source>
        <translation>Das Feld „%1“ sieht nicht nach einer E-Mail-Adresse aus.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no &quot;@&quot; or no domain, as in name@example.com. Correct it, or keep it as it is?</source>
        <translation>„%1“ hat kein „@“ oder keine Domain wie in name@example.com. Korrigieren oder so behalten?</translation>
    </message>
    <message>
        <source>The title must be specified.</source>
        <translation>Der Titel muss angegeben werden.</translation>
    </message>
    <message>
        <source>Enter your web site&apos;s title in the Title field.</source>
        <translation>Geben Sie den Titel Ihrer Website in das Feld „Titel“ ein.</translation>
    </message>
    <message>
        <source>The address of the main page must be specified.</source>
        <translation>Die Adresse der Startseite muss angegeben werden.</translation>
    </message>
    <message>
        <source>Enter your web site&apos;s URL in the Main Page URL field.</source>
        <translation>Geben Sie die URL Ihrer Website in das Feld „Startseiten-URL“ ein.</translation>
    </message>
    <message>
        <source>The %1 field must hold a web address.</source>
        <translation>Das Feld „%1“ muss eine Webadresse enthalten.</translation>
    </message>
</context>
<context>
    <name>SitePublisher</name>
    <message>
        <source>There are no exportable links in this database.</source>
        <translation>Diese Datenbank enthält keine exportierbaren Links.</translation>
    </message>
    <message>
        <source>not sent: the publish stopped at %1</source>
        <translation>nicht gesendet: Die Veröffentlichung wurde bei %1 angehalten</translation>
    </message>
</context>
<context>
    <name>SiteRecords</name>
    <message>
        <source>The history %1 cannot be used: %2</source>
        <translation>Der Verlauf %1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>the database has not been saved yet</source>
        <translation>die Datenbank wurde noch nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>SiteUploader</name>
    <message>
        <source>the server&apos;s key has a form that cannot be stored</source>
        <translation>der Schlüssel des Servers hat eine Form, die nicht gespeichert werden kann</translation>
    </message>
    <message>
        <source>%1 (the server answered %2)</source>
        <translation>%1 (der Server antwortete %2)</translation>
    </message>
    <message>
        <source>the server&apos;s host key has CHANGED since it was stored in %1 (it is now %2). This can mean that someone is posing as the server. Nothing was sent; if the server&apos;s key was really replaced, remove its old line from that file.</source>
        <translation>der Hostschlüssel des Servers hat sich GEÄNDERT, seit er in %1 gespeichert wurde (er ist jetzt %2). Das kann bedeuten, dass sich jemand als der Server ausgibt. Nichts wurde gesendet; wenn der Schlüssel des Servers wirklich ersetzt wurde, entfernen Sie seine alte Zeile aus dieser Datei.</translation>
    </message>
    <message>
        <source>the server&apos;s host key is not known yet. Its fingerprint is %1; compare it with the one your host gives, and accept it only if they match.</source>
        <translation>der Hostschlüssel des Servers ist noch nicht bekannt. Sein Fingerabdruck ist %1; vergleichen Sie ihn mit dem Ihres Anbieters und nehmen Sie ihn nur an, wenn beide übereinstimmen.</translation>
    </message>
    <message>
        <source>the server&apos;s certificate could not be verified (%1). Its key&apos;s fingerprint is %2; accept it only if it is the one your host gives.</source>
        <translation>das Zertifikat des Servers konnte nicht überprüft werden (%1). Der Fingerabdruck seines Schlüssels ist %2; nehmen Sie ihn nur an, wenn es der Ihres Anbieters ist.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: the certificate authorities file %2 (named by %3) cannot be read</source>
        <translation>%1: Die Datei der Zertifizierungsstellen %2 (genannt von %3) kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>The partial copy %1 could not be removed from the server (%2).</source>
        <translation>Die unvollständige Kopie %1 konnte nicht vom Server entfernt werden (%2).</translation>
    </message>
</context>
<context>
    <name>SpreadsheetBuilder</name>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Links Page URL</source>
        <translation>Linkseiten-URL</translation>
    </message>
    <message>
        <source>My Category</source>
        <translation>Meine Kategorie</translation>
    </message>
    <message>
        <source>Contact First Name</source>
        <translation>Vorname des Kontakts</translation>
    </message>
    <message>
        <source>Contact Last Name</source>
        <translation>Nachname des Kontakts</translation>
    </message>
    <message>
        <source>Contact E-mail</source>
        <translation>E-Mail des Kontakts</translation>
    </message>
    <message>
        <source>Original Request</source>
        <translation>Ursprüngliche Anfrage</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Last Status Changed On</source>
        <translation>Letzte Statusänderung am</translation>
    </message>
    <message>
        <source>Last Verified On</source>
        <translation>Zuletzt geprüft am</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>MM/DD/YYYY</source>
        <translation>MM/DD/YYYY</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be written (%2).</source>
        <translation>Die Datei „%1“ konnte nicht geschrieben werden (%2).</translation>
    </message>
</context>
<context>
    <name>StarterTemplates</name>
    <message>
        <source>First contact</source>
        <translation>Erste Kontaktaufnahme</translation>
    </message>
    <message>
        <source>Link exchange with #MY_TITLE#?</source>
        <translation>Linktausch mit #MY_TITLE#?</translation>
    </message>
    <message>
        <source>Hello #CONTACT_FIRST_NAME#,

I run #MY_TITLE# (#MY_URL#) and like #TITLE#. Would you exchange links with me? I would list your site under &quot;#CATEGORY#&quot; on my links page, #MY_LINKS_PAGE_URL#.

If you agree, please link to #MY_URL# with the title &quot;#MY_TITLE#&quot; and the description:
#MY_DESCRIPTION#

Best regards,
#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#
#MY_CONTACT_EMAIL#
</source>
        <translation>Hallo #CONTACT_FIRST_NAME#,

ich betreibe #MY_TITLE# (#MY_URL#) und mag #TITLE#. Möchten Sie Links mit mir tauschen? Ich würde Ihre Website auf meiner Linkseite #MY_LINKS_PAGE_URL# unter „#CATEGORY#“ aufführen.

Wenn Sie einverstanden sind, verlinken Sie bitte #MY_URL# mit dem Titel „#MY_TITLE#“ und der Beschreibung:
#MY_DESCRIPTION#

Mit freundlichen Grüßen
#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#
#MY_CONTACT_EMAIL#
</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Our link exchange: #MY_TITLE# and #TITLE#</source>
        <translation>Unser Linktausch: #MY_TITLE# und #TITLE#</translation>
    </message>
    <message>
        <source>Hello #CONTACT_FIRST_NAME#,

On #LAST_STATUS_CHANGE_DATE# I wrote to you about exchanging links between #TITLE# and #MY_TITLE# (#MY_URL#). Have you had a chance to think about it?

Best regards,
#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#
</source>
        <translation>Hallo #CONTACT_FIRST_NAME#,

am #LAST_STATUS_CHANGE_DATE# habe ich Ihnen wegen eines Linktauschs zwischen #TITLE# und #MY_TITLE# (#MY_URL#) geschrieben. Hatten Sie schon Gelegenheit, darüber nachzudenken?

Mit freundlichen Grüßen
#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#
</translation>
    </message>
    <message>
        <source>Your link to us is missing</source>
        <translation>Ihr Link zu uns fehlt</translation>
    </message>
    <message>
        <source>The link to #MY_TITLE# on #LINKS_PAGE_URL#</source>
        <translation>Der Link zu #MY_TITLE# auf #LINKS_PAGE_URL#</translation>
    </message>
    <message>
        <source>Hello #CONTACT_FIRST_NAME#,

Thank you for exchanging links with #MY_TITLE#. I could no longer find the link to #MY_URL# on #LINKS_PAGE_URL#. Could you put it back? Your site is still listed on my links page, #MY_LINKS_PAGE_URL#.

Best regards,
#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#
</source>
        <translation>Hallo #CONTACT_FIRST_NAME#,

vielen Dank für den Linktausch mit #MY_TITLE#. Ich konnte den Link zu #MY_URL# auf #LINKS_PAGE_URL# nicht mehr finden. Könnten Sie ihn wieder einfügen? Ihre Website steht weiterhin auf meiner Linkseite #MY_LINKS_PAGE_URL#.

Mit freundlichen Grüßen
#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#
</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Latest Verification Results</source>
        <translation>Letzte Prüfergebnisse</translation>
    </message>
    <message>
        <source>Link Status Distribution</source>
        <translation>Verteilung der Linkstatus</translation>
    </message>
    <message>
        <source>Original Request Distribution</source>
        <translation>Verteilung der ursprünglichen Anfragen</translation>
    </message>
    <message>
        <source>%1 (%2, %3 %)</source>
        <translation>%1 (%2, %3 %)</translation>
    </message>
</context>
<context>
    <name>StatisticsChartPainter</name>
    <message>
        <source>%1 Statistics</source>
        <translation>Statistik für %1</translation>
    </message>
    <message>
        <source>%1 link in database</source>
        <translation>%1 Link in der Datenbank</translation>
    </message>
    <message>
        <source>%1 links in database</source>
        <translation>%1 Links in der Datenbank</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>The page could not be drawn.</source>
        <translation>Die Seite konnte nicht gezeichnet werden.</translation>
    </message>
    <message>
        <source>The image could not be made.</source>
        <translation>Das Bild konnte nicht erstellt werden.</translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Anzeigen:</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Export as PDF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Fertig</translation>
    </message>
</context>
<context>
    <name>StatusBarController</name>
    <message numerus="yes">
        <source>%n link(s) in database</source>
        <translation>
            <numerusform>%n Link in der Datenbank</numerusform>
            <numerusform>%n Links in der Datenbank</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %Ln link(s)</source>
        <translation>
            <numerusform>%L1 von %Ln Link</numerusform>
            <numerusform>%L1 von %Ln Links</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SystemInformation</name>
    <message>
        <source>%1 MHz</source>
        <translation>%1 MHz</translation>
    </message>
    <message>
        <source>%1 GHz</source>
        <translation>%1 GHz</translation>
    </message>
    <message>
        <source>%1 MB %2</source>
        <translation>%1 MB %2</translation>
    </message>
    <message>
        <source>RAM</source>
        <translation>RAM</translation>
    </message>
    <message>
        <source>%1 GB %2</source>
        <translation>%1 GB %2</translation>
    </message>
</context>
<context>
    <name>TableColumns</name>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Stichwörter</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Links Page URL</source>
        <translation>Linkseiten-URL</translation>
    </message>
    <message>
        <source>My Category</source>
        <translation>Meine Kategorie</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>Vorname</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>Nachname</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Original Request</source>
        <translation>Ursprüngliche Anfrage</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Last Status Changed On</source>
        <translation>Letzte Statusänderung am</translation>
    </message>
    <message>
        <source>Last Verified On</source>
        <translation>Zuletzt geprüft am</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
</context>
<context>
    <name>TableImportCommands</name>
    <message>
        <source>Import Partners from Spreadsheet</source>
        <translation>Partner aus Tabelle importieren</translation>
    </message>
    <message>
        <source>Tables (*.csv *.tsv *.txt *.tab);;All files (*)</source>
        <translation>Tabellen (*.csv *.tsv *.txt *.tab);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The file could not be opened (%1).</source>
        <translation>Die Datei konnte nicht geöffnet werden (%1).</translation>
    </message>
    <message>
        <source>The file is larger than the largest links database.</source>
        <translation>Die Datei ist größer als die größte Linkdatenbank.</translation>
    </message>
    <message>
        <source>The file could not be read (%1).</source>
        <translation>Die Datei konnte nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>The partners could not be imported.</source>
        <translation>Die Partner konnten nicht importiert werden.</translation>
    </message>
    <message>
        <source>Import Partners</source>
        <translation>Partner importieren</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... und %1 weitere.</translation>
    </message>
    <message>
        <source>The partners were imported.</source>
        <translation>Die Partner wurden importiert.</translation>
    </message>
</context>
<context>
    <name>TableImportDialog</name>
    <message>
        <source>Import Partners</source>
        <translation>Partner importieren</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>&amp;Preview of the first rows:</source>
        <translation>&amp;Vorschau der ersten Zeilen:</translation>
    </message>
    <message>
        <source>&amp;Encoding:</source>
        <translation>&amp;Kodierung:</translation>
    </message>
    <message>
        <source>Addresses already in the database:</source>
        <translation>Adressen, die schon in der Datenbank sind:</translation>
    </message>
    <message>
        <source>&amp;Skip the row</source>
        <translation>&amp;Zeile überspringen</translation>
    </message>
    <message>
        <source>&amp;Update the link from the row</source>
        <translation>&amp;Link aus der Zeile aktualisieren</translation>
    </message>
</context>
<context>
    <name>TableImportDialogController</name>
    <message>
        <source>comma-separated</source>
        <translation>kommagetrennt</translation>
    </message>
    <message>
        <source>semicolon-separated</source>
        <translation>semikolongetrennt</translation>
    </message>
    <message>
        <source>tab-delimited</source>
        <translation>tabulatorgetrennt</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Skip rows whose address is already in the database</source>
        <translation>Zeilen überspringen, deren Adresse schon in der Datenbank ist</translation>
    </message>
    <message>
        <source>Update the link from a row whose address is already in the database</source>
        <translation>Den Link aus einer Zeile aktualisieren, deren Adresse schon in der Datenbank ist</translation>
    </message>
    <message>
        <source>Preview of the first rows</source>
        <translation>Vorschau der ersten Zeilen</translation>
    </message>
    <message>
        <source>What the import does</source>
        <translation>Was der Import bewirkt</translation>
    </message>
    <message>
        <source>(column %1)</source>
        <translation>(Spalte %1)</translation>
    </message>
    <message>
        <source>Import column &quot;%1&quot; as</source>
        <translation>Spalte „%1“ importieren als</translation>
    </message>
    <message>
        <source>First row of column &quot;%1&quot;</source>
        <translation>Erste Zeile der Spalte „%1“</translation>
    </message>
    <message>
        <source>%1 (ignored)</source>
        <translation>%1 (ignoriert)</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>Automatic (%1)</source>
        <translation>Automatisch (%1)</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2 rows, %3, %4.</source>
        <translation>„%1“: %2 Zeilen, %3, %4.</translation>
    </message>
    <message>
        <source>Choose the column that holds the web addresses (URL).</source>
        <translation>Wählen Sie die Spalte, die die Webadressen (URL) enthält.</translation>
    </message>
    <message>
        <source>The import adds %1, updates %2 and skips %3.</source>
        <translation>Der Import fügt %1 hinzu, aktualisiert %2 und überspringt %3.</translation>
    </message>
    <message>
        <source>1 link</source>
        <translation>1 Link</translation>
    </message>
    <message>
        <source>%1 links</source>
        <translation>%1 Links</translation>
    </message>
    <message>
        <source>1 row</source>
        <translation>1 Zeile</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 Zeilen</translation>
    </message>
    <message>
        <source>1 category is added.</source>
        <translation>1 Kategorie wird hinzugefügt.</translation>
    </message>
    <message>
        <source>%1 categories are added.</source>
        <translation>%1 Kategorien werden hinzugefügt.</translation>
    </message>
    <message>
        <source>Not imported: %1.</source>
        <translation>Nicht importiert: %1.</translation>
    </message>
</context>
<context>
    <name>TableImporter</name>
    <message>
        <source>&quot;%1&quot; is already in the database</source>
        <translation>„%1“ ist schon in der Datenbank</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is already in row %2</source>
        <translation>„%1“ steht schon in Zeile %2</translation>
    </message>
    <message>
        <source>1 link was added.</source>
        <translation>1 Link wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>%1 links were added.</source>
        <translation>%1 Links wurden hinzugefügt.</translation>
    </message>
    <message>
        <source>1 link was updated.</source>
        <translation>1 Link wurde aktualisiert.</translation>
    </message>
    <message>
        <source>%1 links were updated.</source>
        <translation>%1 Links wurden aktualisiert.</translation>
    </message>
    <message>
        <source>1 row changed nothing.</source>
        <translation>1 Zeile hat nichts geändert.</translation>
    </message>
    <message>
        <source>%1 rows changed nothing.</source>
        <translation>%1 Zeilen haben nichts geändert.</translation>
    </message>
    <message>
        <source>1 row was skipped.</source>
        <translation>1 Zeile wurde übersprungen.</translation>
    </message>
    <message>
        <source>%1 rows were skipped.</source>
        <translation>%1 Zeilen wurden übersprungen.</translation>
    </message>
    <message>
        <source>1 category was added.</source>
        <translation>1 Kategorie wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>%1 categories were added.</source>
        <translation>%1 Kategorien wurden hinzugefügt.</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
</context>
<context>
    <name>TableRowConverter</name>
    <message>
        <source>has no address</source>
        <translation>hat keine Adresse</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a web address</source>
        <translation>„%1“ ist keine Webadresse</translation>
    </message>
    <message>
        <source>the address is longer than %1 characters</source>
        <translation>die Adresse ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>%1 was cut to %2 characters</source>
        <translation>%1 wurde auf %2 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>the links page address is longer than %1 characters and was left out</source>
        <translation>die Adresse der Linkseite ist länger als %1 Zeichen und wurde ausgelassen</translation>
    </message>
    <message>
        <source>original request &quot;%1&quot; is not known; %2 was used</source>
        <translation>ursprüngliche Anfrage „%1“ ist unbekannt; %2 wurde verwendet</translation>
    </message>
    <message>
        <source>status &quot;%1&quot; is not known; %2 was used</source>
        <translation>Status „%1“ ist unbekannt; %2 wurde verwendet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date (MM/DD/YYYY or YYYY-MM-DD); %2 was left out</source>
        <translation>„%1“ ist kein Datum (MM/DD/YYYY oder YYYY-MM-DD); %2 wurde ausgelassen</translation>
    </message>
    <message>
        <source>the links page address &quot;%1&quot; is not a web address and was left out</source>
        <translation>die Adresse der Linkseite „%1“ ist keine Webadresse und wurde ausgelassen</translation>
    </message>
</context>
<context>
    <name>TemplateCommands</name>
    <message>
        <source>Add E-mail Template</source>
        <translation>E-Mail-Vorlage hinzufügen</translation>
    </message>
    <message>
        <source>Edit E-mail Template</source>
        <translation>E-Mail-Vorlage bearbeiten</translation>
    </message>
    <message>
        <source>Duplicate E-mail Template</source>
        <translation>E-Mail-Vorlage duplizieren</translation>
    </message>
    <message>
        <source>Delete E-mail Template</source>
        <translation>E-Mail-Vorlage löschen</translation>
    </message>
    <message>
        <source>Import E-mail Templates</source>
        <translation>E-Mail-Vorlagen importieren</translation>
    </message>
</context>
<context>
    <name>TemplatePreviewDialog</name>
    <message>
        <source>Message Preview</source>
        <translation>Nachrichtenvorschau</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>&amp;An:</translation>
    </message>
    <message>
        <source>&amp;Subject:</source>
        <translation>&amp;Betreff:</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Nachricht:</translation>
    </message>
    <message>
        <source>Cop&amp;y</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Put the recipient, subject and message on the clipboard</source>
        <translation>Empfänger, Betreff und Nachricht in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Open in Mail Client</source>
        <translation>Im E-Mail-Programm ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Hand this message to your e-mail program</source>
        <translation>Diese Nachricht an Ihr E-Mail-Programm übergeben</translation>
    </message>
    <message>
        <source>Nothing fills in %1: check the spelling of these placeholders.</source>
        <translation>Für %1 gibt es keinen Wert: Prüfen Sie die Schreibweise dieser Platzhalter.</translation>
    </message>
</context>
<context>
    <name>TemporaryFolder</name>
    <message>
        <source>cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 is not a private folder</source>
        <translation>%1 ist kein privater Ordner</translation>
    </message>
    <message>
        <source>cannot make %1 private</source>
        <translation>%1 kann nicht privat gemacht werden</translation>
    </message>
</context>
<context>
    <name>Themes</name>
    <message>
        <source>Candy</source>
        <translation>Candy</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Klassisch</translation>
    </message>
    <message>
        <source>Oblique</source>
        <translation>Schräg</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>Schlicht</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>UrlOpener</name>
    <message>
        <source>%1 could not be started: %2.</source>
        <translation>%1 konnte nicht gestartet werden: %2.</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>kein Grund angegeben</translation>
    </message>
    <message>
        <source>No e-mail program is set up to write messages.</source>
        <translation>Es ist kein E-Mail-Programm zum Schreiben von Nachrichten eingerichtet.</translation>
    </message>
    <message>
        <source>No web browser is set up to show web pages.</source>
        <translation>Es ist kein Webbrowser zum Anzeigen von Webseiten eingerichtet.</translation>
    </message>
    <message>
        <source>No program is set up to open the file &quot;%1&quot;.</source>
        <translation>Es ist kein Programm zum Öffnen der Datei „%1“ eingerichtet.</translation>
    </message>
    <message>
        <source>No program is set up to open &quot;%1:&quot; addresses.</source>
        <translation>Es ist kein Programm zum Öffnen von „%1:“-Adressen eingerichtet.</translation>
    </message>
</context>
<context>
    <name>VerificationCommands</name>
    <message>
        <source>There are no links in this database.</source>
        <translation>Diese Datenbank enthält keine Links.</translation>
    </message>
    <message>
        <source>This feature requires at least one link in the database.</source>
        <translation>Diese Funktion erfordert mindestens einen Link in der Datenbank.</translation>
    </message>
    <message>
        <source>Save Verification Results</source>
        <translation>Prüfergebnisse speichern</translation>
    </message>
</context>
<context>
    <name>VerificationDetails</name>
    <message>
        <source>site: HTTP %1</source>
        <translation>Website: HTTP %1</translation>
    </message>
    <message>
        <source>links page: HTTP %1</source>
        <translation>Linkseite: HTTP %1</translation>
    </message>
    <message>
        <source>redirected to %1</source>
        <translation>weitergeleitet an %1</translation>
    </message>
    <message>
        <source>only the beginning of the page searched</source>
        <translation>nur der Anfang der Seite durchsucht</translation>
    </message>
    <message>
        <source>inside &lt;noscript&gt;</source>
        <translation>innerhalb von &lt;noscript&gt;</translation>
    </message>
    <message>
        <source>inside &lt;template&gt;</source>
        <translation>innerhalb von &lt;template&gt;</translation>
    </message>
    <message>
        <source>hidden attribute</source>
        <translation>Attribut hidden</translation>
    </message>
    <message>
        <source>display:none or visibility:hidden</source>
        <translation>display:none oder visibility:hidden</translation>
    </message>
    <message>
        <source>your address is on the page, but not as a link</source>
        <translation>Ihre Adresse steht auf der Seite, aber nicht als Link</translation>
    </message>
    <message>
        <source>the only links to your site are hidden (%1)</source>
        <translation>die einzigen Links zu Ihrer Website sind versteckt (%1)</translation>
    </message>
    <message>
        <source>no followed link: the page says nofollow</source>
        <translation>kein Link, dem gefolgt wird: die Seite gibt nofollow an</translation>
    </message>
    <message>
        <source>no followed link: marked %1</source>
        <translation>kein Link, dem gefolgt wird: markiert als %1</translation>
    </message>
    <message>
        <source>the page says noindex</source>
        <translation>die Seite gibt noindex an</translation>
    </message>
    <message>
        <source>the page names %1 as canonical</source>
        <translation>die Seite nennt %1 als canonical</translation>
    </message>
    <message>
        <source>anchor text &quot;%1&quot;</source>
        <translation>Ankertext „%1“</translation>
    </message>
    <message>
        <source>waited %1 s before the partner&apos;s site</source>
        <translation>%1 s vor der Website des Partners gewartet</translation>
    </message>
    <message>
        <source>waited %1 s before the links page</source>
        <translation>%1 s vor der Linkseite gewartet</translation>
    </message>
    <message>
        <source>Search engines are not allowed to read this page (robots.txt)</source>
        <translation>Suchmaschinen dürfen diese Seite nicht lesen (robots.txt)</translation>
    </message>
    <message>
        <source>a crowded page: %1 followed links to other sites</source>
        <translation>eine überfüllte Seite: %1 verfolgte Links zu anderen Websites</translation>
    </message>
    <message>
        <source>the link was missing from the first fetch</source>
        <translation>der Link fehlte beim ersten Abruf</translation>
    </message>
    <message>
        <source>still missing when looked at again %1 s later</source>
        <translation>fehlte auch beim erneuten Nachsehen %1 s später</translation>
    </message>
    <message>
        <source>your link was found on %1</source>
        <translation>Ihr Link wurde auf %1 gefunden</translation>
    </message>
    <message>
        <source>not found on %1 other pages of the site</source>
        <translation>auf %1 anderen Seiten der Website nicht gefunden</translation>
    </message>
    <message>
        <source>the links page leads to your own site (%1)</source>
        <translation>die Linkseite führt auf Ihre eigene Website (%1)</translation>
    </message>
    <message>
        <source>the links page moved to another site, %1</source>
        <translation>die Linkseite ist auf eine andere Website umgezogen, %1</translation>
    </message>
    <message numerus="yes">
        <source>retried %n times</source>
        <translation>
            <numerusform>%n-mal wiederholt</numerusform>
            <numerusform>%n-mal wiederholt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VerificationDialog</name>
    <message>
        <source>Verify Links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>&amp;Keine auswählen</translation>
    </message>
    <message>
        <source>Tick the &amp;links to verify. For each, the partner&apos;s site is loaded, then its links page is searched for links to your site.</source>
        <translation>Kreuzen Sie die zu prüfenden &amp;Links an. Für jeden wird die Website des Partners geladen und dann seine Linkseite nach Links zu Ihrer Website durchsucht.</translation>
    </message>
</context>
<context>
    <name>VerificationDialogController</name>
    <message>
        <source>Links to verify</source>
        <translation>Zu prüfende Links</translation>
    </message>
    <message>
        <source>Details of the selected link</source>
        <translation>Details des ausgewählten Links</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Verify Links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Do you want to save the results of this verification?</source>
        <translation>Möchten Sie die Ergebnisse dieser Prüfung speichern?</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) were checked. If you close without saving, their results are not written to the links.</source>
        <translation>
            <numerusform>%n Link wurde geprüft. Wenn Sie ohne Speichern schließen, wird sein Ergebnis nicht in den Link übernommen.</numerusform>
            <numerusform>%n Links wurden geprüft. Wenn Sie ohne Speichern schließen, werden ihre Ergebnisse nicht in die Links übernommen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Result</source>
        <translation>Ergebnis speichern</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Ohne Speichern schließen</translation>
    </message>
</context>
<context>
    <name>VerificationManager</name>
    <message>
        <source>The partner&apos;s address is not a valid web address.</source>
        <translation>Die Adresse des Partners ist keine gültige Webadresse.</translation>
    </message>
    <message>
        <source>The links page address is not a valid web address.</source>
        <translation>Die Adresse der Linkseite ist keine gültige Webadresse.</translation>
    </message>
    <message>
        <source>the page is too complex to analyse</source>
        <translation>die Seite ist zu komplex für eine Analyse</translation>
    </message>
</context>
<context>
    <name>VerificationRowModel</name>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
</context>
<context>
    <name>VerificationSheetForm</name>
    <message>
        <source>%1: HTTP %2</source>
        <translation>%1: HTTP %2</translation>
    </message>
    <message>
        <source> at %1</source>
        <translation> bei %1</translation>
    </message>
    <message>
        <source>%1 of %2 checked</source>
        <translation>%1 von %2 geprüft</translation>
    </message>
    <message>
        <source>site</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>links page</source>
        <translation>Linkseite</translation>
    </message>
    <message>
        <source>only the beginning of the page searched</source>
        <translation>nur der Anfang der Seite durchsucht</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation>Wird geprüft...</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%L1 verified, %L2 not found, %L3 not loaded, %L4 not answering</source>
        <translation>%L1 geprüft, %L2 nicht gefunden, %L3 nicht geladen, %L4 ohne Antwort</translation>
    </message>
    <message>
        <source>, %L1 not checked</source>
        <translation>, %L1 nicht geprüft</translation>
    </message>
    <message>
        <source>Save Result</source>
        <translation>Ergebnis speichern</translation>
    </message>
    <message>
        <source>Verify Links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Verify %d Link</source>
        <translation>%d Link prüfen</translation>
    </message>
    <message>
        <source>Verify %d Links</source>
        <translation>%d Links prüfen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Link missing on a second look too</source>
        <translation>Link fehlt auch beim zweiten Blick</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>retried %n times</source>
        <translation>
            <numerusform>%n-mal wiederholt</numerusform>
            <numerusform>%n-mal wiederholt</numerusform>
        </translation>
    </message>
    <message>
        <source>Link found on another page of the site: make that page the links page (Use This Page in the Lost Links window)</source>
        <translation>Link auf einer anderen Seite der Website gefunden: machen Sie diese Seite zur Linkseite (Diese Seite verwenden im Fenster Verlorene Links)</translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <source>Welcome to Quillmarsh</source>
        <translation>Willkommen bei Quillmarsh</translation>
    </message>
    <message>
        <source>Quillmarsh keeps the link exchanges of your web site in one links database: your partners, the state of each exchange, the messages you send and the links page you publish.</source>
        <translation>Quillmarsh verwaltet den Linktausch Ihrer Website in einer Linkdatenbank: Ihre Partner, den Stand jedes Tauschs, die Nachrichten, die Sie senden, und die Linkseite, die Sie veröffentlichen.</translation>
    </message>
    <message>
        <source>&amp;New Links Database…</source>
        <translation>&amp;Neue Linkdatenbank…</translation>
    </message>
    <message>
        <source>Start a database for one of your web sites.</source>
        <translation>Eine Datenbank für eine Ihrer Websites beginnen.</translation>
    </message>
    <message>
        <source>&amp;Open Links Database…</source>
        <translation>Linkdatenbank ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Continue with a database you saved before.</source>
        <translation>Mit einer früher gespeicherten Datenbank weiterarbeiten.</translation>
    </message>
    <message>
        <source>Read the &amp;Tutorial</source>
        <translation>&amp;Einführung lesen</translation>
    </message>
    <message>
        <source>A short walk through a first link exchange, in your web browser.</source>
        <translation>Ein kurzer Rundgang durch einen ersten Linktausch in Ihrem Webbrowser.</translation>
    </message>
    <message>
        <source>&amp;Show this window when Quillmarsh starts</source>
        <translation>Dieses Fenster beim Start von Quillmarsh an&amp;zeigen</translation>
    </message>
</context>
<context>
    <name>WelcomeDialogController</name>
    <message>
        <source>&amp;Quit Quillmarsh</source>
        <translation>Quillmarsh &amp;beenden</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Keeps the reciprocal link exchanges of your web sites.</source>
        <translation>Verwaltet den gegenseitigen Linktausch Ihrer Websites.</translation>
    </message>
    <message>
        <source>Links databases (.site) to open.</source>
        <translation>Zu öffnende Linkdatenbanken (.site).</translation>
    </message>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>[files...]</source>
        <translation>[Dateien...]</translation>
    </message>
</context>
</TS>
