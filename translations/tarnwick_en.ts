<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Transfer</name>
    <message numerus="yes">
        <source>%n cities</source>
        <translation>
            <numerusform>%n city</numerusform>
            <numerusform>%n cities</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n categories</source>
        <translation>
            <numerusform>%n category</numerusform>
            <numerusform>%n categories</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n districts</source>
        <translation>
            <numerusform>%n district</numerusform>
            <numerusform>%n districts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n places</source>
        <translation>
            <numerusform>%n place</numerusform>
            <numerusform>%n places</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n links</source>
        <translation>
            <numerusform>%n link</numerusform>
            <numerusform>%n links</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>%n record</numerusform>
            <numerusform>%n records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new categories</source>
        <translation>
            <numerusform>%n new category</numerusform>
            <numerusform>%n new categories</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new districts</source>
        <translation>
            <numerusform>%n new district</numerusform>
            <numerusform>%n new districts</numerusform>
        </translation>
    </message>
</context>
</TS>
