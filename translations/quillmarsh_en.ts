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
            <numerusform>Reloading reads the file "%1" as the other program left it. The %n change made in this window since it was last saved are lost and cannot be undone.</numerusform>
            <numerusform>Reloading reads the file "%1" as the other program left it. The %n changes made in this window since it was last saved are lost and cannot be undone.</numerusform>
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
</TS>
