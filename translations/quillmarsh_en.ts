<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>DocumentFileGuard</name>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>%n more</numerusform>
            <numerusform>%n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Reloading reads the file &quot;%1&quot; as the other program left it. The %n change(s) made in this window since it was last saved are lost and cannot be undone.</source>
        <translation>
            <numerusform>Reloading reads the file &quot;%1&quot; as the other program left it. The %n change made in this window since it was last saved is lost and cannot be undone.</numerusform>
            <numerusform>Reloading reads the file &quot;%1&quot; as the other program left it. The %n changes made in this window since it was last saved are lost and cannot be undone.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExportTexts</name>
    <message numerus="yes">
        <source>%n file(s) were created.</source>
        <translation>
            <numerusform>%n file was created.</numerusform>
            <numerusform>%n files were created.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) were exported.</source>
        <translation>
            <numerusform>%n link was exported.</numerusform>
            <numerusform>%n links were exported.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln character(s) cannot be written in %1 and would become &apos;?&apos;.</source>
        <translation>
            <numerusform>%Ln character cannot be written in %1 and would become &apos;?&apos;.</numerusform>
            <numerusform>%Ln characters cannot be written in %1 and would become &apos;?&apos;.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryCommands</name>
    <message numerus="yes">
        <source>%n link(s) lost</source>
        <translation>
            <numerusform>%n link lost</numerusform>
            <numerusform>%n links lost</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) moved</source>
        <translation>
            <numerusform>%n link moved</numerusform>
            <numerusform>%n links moved</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n site(s) unreachable</source>
        <translation>
            <numerusform>%n site unreachable</numerusform>
            <numerusform>%n sites unreachable</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The history is busy; %n check(s) are waiting to be recorded.</source>
        <translation>
            <numerusform>The history is busy; %n check is waiting to be recorded.</numerusform>
            <numerusform>The history is busy; %n checks are waiting to be recorded.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryService</name>
    <message numerus="yes">
        <source>%n verification check(s) could not be recorded in the history: another program held it locked.</source>
        <translation>
            <numerusform>%n verification check could not be recorded in the history: another program held it locked.</numerusform>
            <numerusform>%n verification checks could not be recorded in the history: another program held it locked.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkDeleteCommands</name>
    <message numerus="yes">
        <source>Delete the %Ln selected link(s)?</source>
        <translation>
            <numerusform>Delete the %Ln selected link?</numerusform>
            <numerusform>Delete the %Ln selected links?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n Link(s)</source>
        <translation>
            <numerusform>Delete %n Link</numerusform>
            <numerusform>Delete %n Links</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkMessagesView</name>
    <message numerus="yes">
        <source>%n message(s):</source>
        <translation>
            <numerusform>%n message:</numerusform>
            <numerusform>%n messages:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkMoveCommands</name>
    <message numerus="yes">
        <source>Move %n Link(s) to %1</source>
        <translation>
            <numerusform>Move %n Link to %1</numerusform>
            <numerusform>Move %n Links to %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkStatusCommands</name>
    <message numerus="yes">
        <source>Set Status of %n Link(s)</source>
        <translation>
            <numerusform>Set Status of %n Link</numerusform>
            <numerusform>Set Status of %n Links</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Mark %n Link(s) as Verified</source>
        <translation>
            <numerusform>Mark %n Link as Verified</numerusform>
            <numerusform>Mark %n Links as Verified</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MailClientCommands</name>
    <message numerus="yes">
        <source>Open %n message(s) in your mail client?</source>
        <translation>
            <numerusform>Open %n message in your mail client?</numerusform>
            <numerusform>Open %n messages in your mail client?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Set Status of %n Link(s)</source>
        <translation>
            <numerusform>Set Status of %n Link</numerusform>
            <numerusform>Set Status of %n Links</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MailCommands</name>
    <message numerus="yes">
        <source>%n new reply(s) found.</source>
        <translation>
            <numerusform>%n new reply found.</numerusform>
            <numerusform>%n new replies found.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n message(s) about lost links wait in the Outbox for review.</source>
        <translation>
            <numerusform>%n message about lost links waits in the Outbox for review.</numerusform>
            <numerusform>%n messages about lost links wait in the Outbox for review.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MoveToCategoryDialog</name>
    <message numerus="yes">
        <source>Move the %n selected link(s) &amp;to:</source>
        <translation>
            <numerusform>Move the selected link &amp;to:</numerusform>
            <numerusform>Move the %n selected links &amp;to:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MyDocument</name>
    <message numerus="yes">
        <source>%n link(s) selected</source>
        <translation>
            <numerusform>%n link selected</numerusform>
            <numerusform>%n links selected</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NotificationComputer</name>
    <message numerus="yes">
        <source>Negotiation not started after %n days.</source>
        <translation>
            <numerusform>Negotiation not started after %n day.</numerusform>
            <numerusform>Negotiation not started after %n days.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Negotiation lasting more than %n days.</source>
        <translation>
            <numerusform>Negotiation lasting more than %n day.</numerusform>
            <numerusform>Negotiation lasting more than %n days.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Link verified more than %n days ago.</source>
        <translation>
            <numerusform>Link verified more than %n day ago.</numerusform>
            <numerusform>Link verified more than %n days ago.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Category contains more than %n links.</source>
        <translation>
            <numerusform>Category contains more than %n link.</numerusform>
            <numerusform>Category contains more than %n links.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NotificationDialogController</name>
    <message numerus="yes">
        <source>day(s)</source>
        <translation>
            <numerusform>day</numerusform>
            <numerusform>days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>day(s) ago</source>
        <translation>
            <numerusform>day ago</numerusform>
            <numerusform>days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>link(s)</source>
        <translation>
            <numerusform>link</numerusform>
            <numerusform>links</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PreferencesDialogController</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SendMessagesDialog</name>
    <message numerus="yes">
        <source>Stopped: %n message(s) wait; Send resumes.</source>
        <translation>
            <numerusform>Stopped: %n message waits; Send resumes.</numerusform>
            <numerusform>Stopped: %n messages wait; Send resumes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusBarController</name>
    <message numerus="yes">
        <source>%n link(s) in database</source>
        <translation>
            <numerusform>%n link in database</numerusform>
            <numerusform>%n links in database</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %Ln link(s)</source>
        <translation>
            <numerusform>%L1 of %Ln link</numerusform>
            <numerusform>%L1 of %Ln links</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VerificationDetails</name>
    <message numerus="yes">
        <source>retried %n times</source>
        <translation>
            <numerusform>retried %n time</numerusform>
            <numerusform>retried %n times</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VerificationDialogController</name>
    <message numerus="yes">
        <source>%n link(s) were checked. If you close without saving, their results are not written to the links.</source>
        <translation>
            <numerusform>%n link was checked. If you close without saving, its result is not written to the link.</numerusform>
            <numerusform>%n links were checked. If you close without saving, their results are not written to the links.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VerificationSheetForm</name>
    <message numerus="yes">
        <source>retried %n times</source>
        <translation>
            <numerusform>retried %n time</numerusform>
            <numerusform>retried %n times</numerusform>
        </translation>
    </message>
</context>
</TS>
