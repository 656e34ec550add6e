<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>A directory of places, filed in a category tree.

The windows speak the system&apos;s language where the program has it (Arabic, or English), otherwise English; &quot;language=ar&quot; or &quot;language=en&quot; under [Interface] in the settings file (%1) chooses instead.</source>
        <translation>دليل للأماكن، مرتبة في شجرة تصنيفات.

تتكلم النوافذ لغة النظام إن كانت لدى البرنامج (العربية أو الإنجليزية)، وإلا فالإنجليزية؛ ولاختيار غيرها اكتب &quot;language=ar&quot; أو &quot;language=en&quot; تحت [Interface] في ملف الإعدادات (%1).</translation>
    </message>
    <message>
        <source>Works on this database instead of the one the settings name, for this run only: sqlite:FILE, postgresql://USER@HOST/NAME?OPTIONS, postgresql:///?service=NAME, odbc:CONNECTION or oci:USER@ALIAS. It takes no password: libpq reads it from ~/.pgpass, ODBC from its data source.</source>
        <translation>يعمل على قاعدة البيانات هذه بدلًا من التي تسميها الإعدادات، في هذا التشغيل وحده: sqlite:FILE أو postgresql://USER@HOST/NAME?OPTIONS أو postgresql:///?service=NAME أو odbc:CONNECTION أو oci:USER@ALIAS. ولا تُكتب فيه كلمة مرور: تقرؤها libpq من ~/.pgpass، وODBC من مصدر بياناته.</translation>
    </message>
    <message>
        <source>%1: Unexpected argument: %2

%3</source>
        <translation>%1: وسيط غير متوقع: %2

%3</translation>
    </message>
</context>
<context>
    <name>DbErrorMessage</name>
    <message>
        <source>DataBase Error</source>
        <translation>خطأ في قاعدة البيانات</translation>
    </message>
    <message>
        <source>Database Server Busy</source>
        <translation>خادم قاعدة البيانات مشغول</translation>
    </message>
</context>
<context>
    <name>EditMessages</name>
    <message>
        <source>Invalid data</source>
        <translation>بيانات غير صالحة</translation>
    </message>
    <message>
        <source>Choose a %1 from the list; %2</source>
        <translation>اختر %1 من القائمة؛ %2</translation>
    </message>
    <message>
        <source>The new place would get the identifier %1, above the largest the directory can keep (%2).</source>
        <translation>سيأخذ المكان الجديد المعرّف %1، وهو أكبر من أكبر معرّف يستطيع الدليل حفظه (%2).</translation>
    </message>
    <message>
        <source>The new category would get the identifier %1, above the largest the directory can keep (%2).</source>
        <translation>سيأخذ التصنيف الجديد المعرّف %1، وهو أكبر من أكبر معرّف يستطيع الدليل حفظه (%2).</translation>
    </message>
    <message>
        <source>The new district would get the identifier %1, above the largest the directory can keep (%2).</source>
        <translation>سيأخذ الحي الجديد المعرّف %1، وهو أكبر من أكبر معرّف يستطيع الدليل حفظه (%2).</translation>
    </message>
</context>
<context>
    <name>FrmSearch</name>
    <message>
        <source>Find Place</source>
        <translation>البحث عن مكان</translation>
    </message>
    <message>
        <source>Place Name</source>
        <translation>اسم المكان</translation>
    </message>
    <message>
        <source>Starts with</source>
        <translation>يبدأ بـ</translation>
    </message>
    <message>
        <source>Ends with</source>
        <translation>ينتهي بـ</translation>
    </message>
    <message>
        <source>Contains</source>
        <translation>يحتوي على</translation>
    </message>
    <message>
        <source>Exactly</source>
        <translation>مطابق تمامًا</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>التصنيف</translation>
    </message>
    <message>
        <source>City</source>
        <translation>المدينة</translation>
    </message>
    <message>
        <source>District</source>
        <translation>الحي</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;بحث</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>إ&amp;لغاء</translation>
    </message>
    <message>
        <source>Telephone</source>
        <translation>الهاتف</translation>
    </message>
    <message>
        <source> You Must enter Searching Criteria </source>
        <translation> يجب إدخال شروط البحث </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>خطأ</translation>
    </message>
    <message>
        <source>* All *</source>
        <translation>* الكل *</translation>
    </message>
</context>
<context>
    <name>PlaceFields</name>
    <message>
        <source>Parent Category</source>
        <translation>التصنيف الأب</translation>
    </message>
    <message>
        <source>Place Name</source>
        <translation>اسم المكان</translation>
    </message>
    <message>
        <source>City</source>
        <translation>المدينة</translation>
    </message>
    <message>
        <source>District</source>
        <translation>الحي</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>العنوان</translation>
    </message>
    <message>
        <source>Telephone</source>
        <translation>الهاتف</translation>
    </message>
    <message>
        <source>More</source>
        <translation>تفاصيل</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>الرابط</translation>
    </message>
</context>
<context>
    <name>PlacesModel</name>
    <message>
        <source>Name</source>
        <translation>الاسم</translation>
    </message>
    <message>
        <source>City</source>
        <translation>المدينة</translation>
    </message>
    <message>
        <source>District</source>
        <translation>الحي</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>العنوان</translation>
    </message>
    <message>
        <source>Telephone</source>
        <translation>الهاتف</translation>
    </message>
    <message>
        <source>More</source>
        <translation>تفاصيل</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>الرابط</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>التصنيف</translation>
    </message>
    <message>
        <source>The places could not all be read.</source>
        <translation>تعذرت قراءة كل الأماكن.</translation>
    </message>
</context>
<context>
    <name>Processing</name>
    <message>
        <source>%1 It is set by %2.</source>
        <translation>%1 وقد ضُبط في %2.</translation>
    </message>
    <message>
        <source>The database refused the statement: %1</source>
        <translation>رفضت قاعدة البيانات الأمر: %1</translation>
    </message>
    <message>
        <source>The database could not run the query: %1</source>
        <translation>تعذر على قاعدة البيانات تنفيذ الاستعلام: %1</translation>
    </message>
    <message>
        <source>The connection to the database was lost during the change; nothing of it was stored.</source>
        <translation>انقطع الاتصال بقاعدة البيانات أثناء التعديل؛ لم يُحفظ منه شيء.</translation>
    </message>
    <message>
        <source>The connection to the database was lost and could not be opened again.

</source>
        <translation>انقطع الاتصال بقاعدة البيانات وتعذر فتحه من جديد.

</translation>
    </message>
    <message>
        <source>The database ended the change at an earlier failure; nothing of it was stored.</source>
        <translation>أنهت قاعدة البيانات التعديل بسبب خطأ سابق؛ لم يُحفظ منه شيء.</translation>
    </message>
    <message>
        <source>The program is not connected to the database.</source>
        <translation>البرنامج غير متصل بقاعدة البيانات.</translation>
    </message>
    <message>
        <source>The connection to the database was lost as a statement ran: it may or may not have taken effect. %1</source>
        <translation>انقطع الاتصال بقاعدة البيانات أثناء تنفيذ أمر: ربما نُفذ وربما لم يُنفذ. %1</translation>
    </message>
    <message>
        <source>A transaction could not be started.</source>
        <translation>تعذر بدء المعاملة.</translation>
    </message>
    <message>
        <source>The changes could not be committed.</source>
        <translation>تعذر حفظ التعديلات.</translation>
    </message>
    <message>
        <source>The connection to the database was lost as the changes were being committed, and whether the server stored them could not be told: they may or may not have been stored.</source>
        <translation>انقطع الاتصال بقاعدة البيانات أثناء حفظ التعديلات، وتعذرت معرفة ما إذا كان الخادم قد حفظها: ربما حُفظت وربما لم تُحفظ.</translation>
    </message>
    <message>
        <source>The changes could not be rolled back.</source>
        <translation>تعذر التراجع عن التعديلات.</translation>
    </message>
    <message>
        <source>The database setting &quot;%1&quot; cannot be used: %2.</source>
        <translation>لا يمكن استخدام إعداد قاعدة البيانات &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>إنه فارغ</translation>
    </message>
    <message>
        <source>it holds a NUL character</source>
        <translation>يحتوي على المحرف NUL</translation>
    </message>
    <message>
        <source>the SQLite file name is missing</source>
        <translation>اسم ملف SQLite غير موجود</translation>
    </message>
    <message>
        <source>this system has no data folder for the program</source>
        <translation>لا يوجد في هذا النظام مجلد بيانات للبرنامج</translation>
    </message>
    <message>
        <source>it holds a NUL character (%00)</source>
        <translation>يحتوي على المحرف NUL (%00)</translation>
    </message>
    <message>
        <source>the ODBC connection string is missing</source>
        <translation>نص اتصال ODBC غير موجود</translation>
    </message>
    <message>
        <source>the data-source alias after &quot;@&quot; is missing</source>
        <translation>اسم مصدر البيانات بعد &quot;@&quot; غير موجود</translation>
    </message>
    <message>
        <source>the user name is missing</source>
        <translation>اسم المستخدم غير موجود</translation>
    </message>
    <message>
        <source>it names no known kind of database (expected sqlite:, postgresql://, odbc: or oci:)</source>
        <translation>لا يسمّي نوعًا معروفًا من قواعد البيانات (المتوقع sqlite: أو postgresql:// أو odbc: أو oci:)</translation>
    </message>
    <message>
        <source>The PostgreSQL connection could not be prepared.</source>
        <translation>تعذر تجهيز الاتصال بـ PostgreSQL.</translation>
    </message>
    <message>
        <source>The file %1 is not an SQLite database, or is damaged; it was left as it is.</source>
        <translation>الملف %1 ليس قاعدة بيانات SQLite أو أنه تالف؛ وقد تُرك كما هو.</translation>
    </message>
    <message>
        <source>The database %1 could not be read.</source>
        <translation>تعذرت قراءة قاعدة البيانات %1.</translation>
    </message>
    <message>
        <source>The database driver %1 is not installed.</source>
        <translation>برنامج تشغيل قاعدة البيانات %1 غير مثبت.</translation>
    </message>
    <message>
        <source>The database %1 could not be opened.</source>
        <translation>تعذر فتح قاعدة البيانات %1.</translation>
    </message>
    <message>
        <source>The database file %1 could not be made.</source>
        <translation>تعذر إنشاء ملف قاعدة البيانات %1.</translation>
    </message>
    <message>
        <source>The database file %1 is a symbolic link. The program does not follow a link to its database, since someone else may have put it there; give the path of the file itself.</source>
        <translation>ملف قاعدة البيانات %1 رابط رمزي. لا يتبع البرنامج رابطًا إلى قاعدة بياناته، فربما وضعه شخص آخر؛ اذكر مسار الملف نفسه.</translation>
    </message>
    <message>
        <source>The file %1 beside the database is a symbolic link, which SQLite would write through; it is not used until the link is taken away.</source>
        <translation>الملف %1 المجاور لقاعدة البيانات رابط رمزي قد تكتب SQLite من خلاله؛ لن تُستخدم قاعدة البيانات حتى يُزال الرابط.</translation>
    </message>
    <message>
        <source>*Dev*</source>
        <translation>*تطوير*</translation>
    </message>
    <message>
        <source>The result has no column &quot;%1&quot;.</source>
        <translation>لا يحتوي الناتج على العمود &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>مجلد</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>جهاز</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>مقبس</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: %2.</source>
        <translation>تعذرت قراءة الملف %1: %2.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: it is %2, not a regular file.</source>
        <translation>تعذرت قراءة الملف %1: إنه %2 وليس ملفًا عاديًا.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: it is a folder, not a regular file.</source>
        <translation>تعذرت قراءة الملف %1: إنه مجلد وليس ملفًا عاديًا.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: it is not a regular file.</source>
        <translation>تعذرت قراءة الملف %1: إنه ليس ملفًا عاديًا.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: it is larger than %2 bytes.</source>
        <translation>تعذرت قراءة الملف %1: حجمه أكبر من %2 بايت.</translation>
    </message>
    <message>
        <source>Others stored rows under each new identifier chosen.</source>
        <translation>حفظ آخرون صفوفًا تحت كل معرّف جديد اختير.</translation>
    </message>
    <message>
        <source>Others stored a row under each of the %1 new identifiers chosen, one after another; nothing was stored. Try again in a moment.</source>
        <translation>حفظ آخرون صفًا تحت كل واحد من المعرّفات الجديدة التي اختيرت واحدًا بعد الآخر وعددها %1؛ لم يُحفظ شيء. أعد المحاولة بعد قليل.</translation>
    </message>
    <message>
        <source>a column name</source>
        <translation>اسم عمود</translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation>عدد صحيح</translation>
    </message>
    <message>
        <source>a blank after &quot;or&quot;</source>
        <translation>مسافة بعد &quot;or&quot;</translation>
    </message>
    <message>
        <source>The row filter &quot;%1&quot; is not understood: %2 was expected at position %3.</source>
        <translation>مرشح الصفوف &quot;%1&quot; غير مفهوم: كان المتوقع %2 في الموضع %3.</translation>
    </message>
    <message>
        <source>one that does not say what it is</source>
        <translation>خادم لا يذكر نوعه</translation>
    </message>
    <message>
        <source>The database server is %1, which this program cannot work with. It works with SQLite, PostgreSQL and Oracle.</source>
        <translation>خادم قاعدة البيانات هو %1، ولا يستطيع هذا البرنامج العمل معه. يعمل البرنامج مع SQLite وPostgreSQL وOracle.</translation>
    </message>
    <message>
        <source>it is not text in UTF-8</source>
        <translation>ليس نصًا بترميز UTF-8</translation>
    </message>
    <message>
        <source>line %1 is not a [section]</source>
        <translation>السطر %1 ليس عنوان قسم [section]</translation>
    </message>
    <message>
        <source>line %1 is neither a [section], a KEY=VALUE line nor a comment</source>
        <translation>السطر %1 ليس عنوان قسم [section] ولا سطر KEY=VALUE ولا تعليقًا</translation>
    </message>
    <message>
        <source>the value of %1 on line %2 does not end with its closing double quote</source>
        <translation>قيمة %1 في السطر %2 لا تنتهي بعلامة الاقتباس المزدوجة الختامية</translation>
    </message>
    <message>
        <source>The settings file was not read. </source>
        <translation>لم يُقرأ ملف الإعدادات. </translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read as a settings file: %2.</source>
        <translation>تعذرت قراءة الملف %1 كملف إعدادات: %2.</translation>
    </message>
    <message>
        <source>the key %1 in %2</source>
        <translation>المفتاح %1 في %2</translation>
    </message>
    <message>
        <source>the SQLite driver&apos;s file could not be found</source>
        <translation>تعذر العثور على ملف برنامج تشغيل SQLite</translation>
    </message>
    <message>
        <source>the SQLite driver %1 could not be inspected</source>
        <translation>تعذر فحص برنامج تشغيل SQLite %1</translation>
    </message>
    <message>
        <source>the SQLite driver %1 does not use a shared SQLite library</source>
        <translation>برنامج تشغيل SQLite %1 لا يستخدم مكتبة SQLite مشتركة</translation>
    </message>
    <message>
        <source>the program&apos;s SQLite library could not be found</source>
        <translation>تعذر العثور على مكتبة SQLite الخاصة بالبرنامج</translation>
    </message>
    <message>
        <source>the SQLite driver %1 uses %2, the program %3</source>
        <translation>برنامج تشغيل SQLite %1 يستخدم %2، والبرنامج يستخدم %3</translation>
    </message>
    <message>
        <source>the program has SQLite built in</source>
        <translation>مكتبة SQLite مدمجة في البرنامج</translation>
    </message>
    <message>
        <source>the SQLite driver does not use the program&apos;s SQLite library</source>
        <translation>برنامج تشغيل SQLite لا يستخدم مكتبة SQLite الخاصة بالبرنامج</translation>
    </message>
    <message>
        <source>the SQLite driver gives no SQLite handle</source>
        <translation>برنامج تشغيل SQLite لا يعطي مقبض SQLite</translation>
    </message>
    <message>
        <source>the SQLite driver runs SQLite %1, the program links %2</source>
        <translation>برنامج تشغيل SQLite يشغّل SQLite %1، والبرنامج مربوط بـ %2</translation>
    </message>
    <message>
        <source>whether the SQLite driver shares the program&apos;s SQLite library cannot be told here</source>
        <translation>لا يمكن هنا معرفة ما إذا كان برنامج تشغيل SQLite يشارك البرنامج مكتبة SQLite</translation>
    </message>
    <message>
        <source>The SQLite connection could not be prepared.</source>
        <translation>تعذر تجهيز اتصال SQLite.</translation>
    </message>
    <message>
        <source>The program&apos;s database script %1 is missing.</source>
        <translation>ملف أوامر قاعدة البيانات %1 الخاص بالبرنامج غير موجود.</translation>
    </message>
    <message>
        <source>The new database %1 could not be locked for making it.</source>
        <translation>تعذر قفل قاعدة البيانات الجديدة %1 لإنشائها.</translation>
    </message>
    <message>
        <source>The database file %1 could not be read.</source>
        <translation>تعذرت قراءة ملف قاعدة البيانات %1.</translation>
    </message>
    <message>
        <source>The new database %1 could not be set up (%2).</source>
        <translation>تعذر إعداد قاعدة البيانات الجديدة %1 (%2).</translation>
    </message>
    <message>
        <source>The new database %1 could not be saved.</source>
        <translation>تعذر حفظ قاعدة البيانات الجديدة %1.</translation>
    </message>
    <message>
        <source>The folder %1 for the database could not be made: %2.</source>
        <translation>تعذر إنشاء المجلد %1 لقاعدة البيانات: %2.</translation>
    </message>
    <message>
        <source>The database file %1 cannot be used: %2.</source>
        <translation>لا يمكن استخدام ملف قاعدة البيانات %1: %2.</translation>
    </message>
    <message>
        <source>The database file %1 cannot be used: it could not be made readable and writable by its owner only: %2.</source>
        <translation>لا يمكن استخدام ملف قاعدة البيانات %1: تعذر جعله قابلًا للقراءة والكتابة لمالكه وحده: %2.</translation>
    </message>
    <message>
        <source>The database file %1 could not be opened.</source>
        <translation>تعذر فتح ملف قاعدة البيانات %1.</translation>
    </message>
    <message>
        <source>The file %1 cannot be written: %2.</source>
        <translation>تعذرت الكتابة في الملف %1: %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written: %2. SQLite keeps the journal of every change there, beside the file.</source>
        <translation>تعذرت الكتابة في المجلد %1: %2. تحفظ SQLite سجل كل تعديل هناك، بجوار الملف.</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>أنبوب FIFO</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>ملف خاص</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>إنه %1 وليس ملفًا عاديًا</translation>
    </message>
    <message>
        <source>it is a folder, not a regular file</source>
        <translation>إنه مجلد وليس ملفًا عاديًا</translation>
    </message>
    <message>
        <source>its permissions could not be set</source>
        <translation>تعذر ضبط أذوناته</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>إنه للقراءة فقط</translation>
    </message>
    <message>
        <source>a file of that name is in the way</source>
        <translation>يوجد في مكانه ملف بالاسم نفسه</translation>
    </message>
    <message>
        <source>%1 takes no password, as every user of this computer can read the command line; keep it in ~/.pgpass (or the file PGPASSFILE names), in the service file (~/.pg_service.conf) or in the ODBC data source.</source>
        <translation>لا يقبل %1 كلمة مرور، لأن كل مستخدم لهذا الحاسوب يستطيع قراءة سطر الأوامر؛ احفظها في ~/.pgpass (أو الملف الذي يسميه PGPASSFILE)، أو في ملف الخدمات (~/.pg_service.conf)، أو في مصدر بيانات ODBC.</translation>
    </message>
    <message>
        <source>The places could not all be read.</source>
        <translation>تعذرت قراءة كل الأماكن.</translation>
    </message>
    <message>
        <source>The new places could not be compared with the stored ones.</source>
        <translation>تعذرت مقارنة الأماكن الجديدة بالأماكن المحفوظة.</translation>
    </message>
    <message>
        <source>The stored places could not be read.</source>
        <translation>تعذرت قراءة الأماكن المحفوظة.</translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>ثانية واحدة</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 ثانية</translation>
    </message>
    <message>
        <source>The database server is busy: it gave no answer for %1, so the program asked it to stop, and it did.</source>
        <translation>خادم قاعدة البيانات مشغول: لم يُجب مدة %1، فطلب منه البرنامج أن يتوقف، فتوقف.</translation>
    </message>
    <message>
        <source>The database server is not answering: it sent nothing for %1 and did not answer the request to stop either, so the program gave up and closed its connection to it. The next action connects again.</source>
        <translation>خادم قاعدة البيانات لا يجيب: لم يرسل شيئًا مدة %1 ولم يُجب طلب التوقف أيضًا، فكفّ البرنامج عن الانتظار وأغلق اتصاله به. يتصل الإجراء التالي من جديد.</translation>
    </message>
    <message>
        <source>The database server was slow to confirm the change: it gave no answer for %1, so the program stopped waiting. The change is stored (the server had already committed it locally), but it may not yet have reached the server&apos;s standby.</source>
        <translation>تأخر خادم قاعدة البيانات في تأكيد التغيير: لم يُجب مدة %1، فكفّ البرنامج عن الانتظار. التغيير محفوظ (كان الخادم قد ثبّته محليًا)، لكنه قد لا يكون وصل بعدُ إلى الخادم الاحتياطي.</translation>
    </message>
    <message>
        <source>The database server gave no answer to the commit for %1, so the program closed its connection to it; asked again, it says nothing of the change was stored.</source>
        <translation>لم يُجب خادم قاعدة البيانات عن تثبيت التغييرات مدة %1، فأغلق البرنامج اتصاله به؛ ولمّا سُئل من جديد قال إنه لم يُحفظ شيء من التغيير.</translation>
    </message>
    <message>
        <source>%1 gives &quot;%2&quot;, which is no number of seconds from 1 to %3.</source>
        <translation>%1 يعطي &quot;%2&quot;، وهو ليس عددًا من الثواني بين 1 و%3.</translation>
    </message>
</context>
<context>
    <name>ReferenceLists</name>
    <message>
        <source>* Root *</source>
        <translation>* الجذر *</translation>
    </message>
</context>
<context>
    <name>StartBrowser</name>
    <message>
        <source>The web browser could not be started.</source>
        <translation>تعذر تشغيل متصفح الويب.</translation>
    </message>
    <message>
        <source>Web Browser</source>
        <translation>متصفح الويب</translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message>
        <source>Copied %1 and %2 from %3 to %4; checked: the row counts and the checksum %5 are the same on both sides.</source>
        <translation>نُسخ %1 و%2 من %3 إلى %4؛ وتم التحقق: أعداد الصفوف والمجموع الاختباري %5 متطابقة في الجانبين.</translation>
    </message>
    <message>
        <source>The %1 could not be counted.</source>
        <translation>تعذر عدّ %1.</translation>
    </message>
    <message>
        <source>The source could not begin its read transaction.</source>
        <translation>تعذر على المصدر بدء معاملة القراءة.</translation>
    </message>
    <message>
        <source>The target could not begin its transaction.</source>
        <translation>تعذر على الهدف بدء معاملته.</translation>
    </message>
    <message>
        <source>The copy could not be committed.</source>
        <translation>تعذر حفظ النسخة.</translation>
    </message>
    <message>
        <source>The source %1 holds no directory: it has no table %2. Nothing was copied.</source>
        <translation>المصدر %1 لا يحتوي على دليل: ليس فيه الجدول %2. لم يُنسخ شيء.</translation>
    </message>
    <message>
        <source>The target %1 is an SQLite database without the tables of a directory (%2); name a file that does not exist yet, and the copy makes it. Nothing was copied.</source>
        <translation>الهدف %1 قاعدة بيانات SQLite بلا جداول الدليل (%2)؛ اذكر ملفًا غير موجود بعد، وسينشئه النسخ. لم يُنسخ شيء.</translation>
    </message>
    <message>
        <source>The target %1 has no tables for a directory (%2). The program never makes or alters a server&apos;s tables: its administrator makes them once with the installed script %3 (in %4), and %5 for the role its users connect as. Nothing was copied.</source>
        <translation>الهدف %1 ليس فيه جداول لدليل (%2). لا ينشئ البرنامج جداول الخادم ولا يعدّلها أبدًا: ينشئها مسؤوله مرة واحدة بملف الأوامر المثبت %3 (في %4)، و%5 للدور الذي يتصل به مستخدموه. لم يُنسخ شيء.</translation>
    </message>
    <message>
        <source>The source gave %1 %2 where it had counted %3.</source>
        <translation>أعطى المصدر %1 من %2 بعد أن عدّ %3.</translation>
    </message>
    <message>
        <source>rows checked</source>
        <translation>صفًا تم التحقق منها</translation>
    </message>
    <message>
        <source>The copy did not come out as the source: the source&apos;s %1 were %2 rows (checksum %3), the target holds %4 (checksum %5).</source>
        <translation>لم تأتِ النسخة مطابقة للمصدر: كانت %1 في المصدر %2 صفًا (المجموع الاختباري %3)، وفي الهدف %4 (المجموع الاختباري %5).</translation>
    </message>
    <message>
        <source>The source and the target are the same database, %1. Nothing was copied.</source>
        <translation>المصدر والهدف قاعدة بيانات واحدة، %1. لم يُنسخ شيء.</translation>
    </message>
    <message>
        <source>The target&apos;s %1 could not be replaced.</source>
        <translation>تعذر استبدال %1 في الهدف.</translation>
    </message>
    <message>
        <source>The copy from %1 to %2 failed; nothing of it was stored%3.</source>
        <translation>فشل النسخ من %1 إلى %2؛ لم يُحفظ منه شيء%3.</translation>
    </message>
    <message>
        <source>no category is named &quot;%1&quot;</source>
        <translation>لا يوجد تصنيف باسم &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 categories are named &quot;%2&quot;; give its path from the root, the names joined by &quot;%3&quot;</source>
        <translation>عدد التصنيفات التي اسمها &quot;%2&quot; هو %1؛ اذكر مساره من الجذر، والأسماء موصولة بـ &quot;%3&quot;</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>المخرج القياسي</translation>
    </message>
    <message>
        <source>Nothing was exported to %1: %2.</source>
        <translation>لم يُصدَّر شيء إلى %1: %2.</translation>
    </message>
    <message>
        <source>Nothing was exported to %1: %2</source>
        <translation>لم يُصدَّر شيء إلى %1: %2</translation>
    </message>
    <message>
        <source>%1 could not be written whole: %2</source>
        <translation>تعذرت كتابة %1 كاملًا: %2</translation>
    </message>
    <message>
        <source>Exported %1 place to %2.</source>
        <translation>عدد الأماكن المصدَّرة إلى %2: %1.</translation>
    </message>
    <message>
        <source>Exported %1 places to %2.</source>
        <translation>عدد الأماكن المصدَّرة إلى %2: %1.</translation>
    </message>
    <message>
        <source>%1 stored place was left out: the places list does not show it either, for want of a category, a city or a district of that city.</source>
        <translation>عدد الأماكن المحفوظة التي تُركت: %1؛ لا تعرضه قائمة الأماكن أيضًا، لافتقاره إلى تصنيف أو مدينة أو حي من تلك المدينة.</translation>
    </message>
    <message>
        <source>%1 stored places were left out: the places list does not show them either, for want of a category, a city or a district of that city.</source>
        <translation>عدد الأماكن المحفوظة التي تُركت: %1؛ لا تعرضها قائمة الأماكن أيضًا، لافتقارها إلى تصنيف أو مدينة أو حي من تلك المدينة.</translation>
    </message>
    <message>
        <source>The places could not be exported to %1: %2</source>
        <translation>تعذر تصدير الأماكن إلى %1: %2</translation>
    </message>
    <message>
        <source>tarnwick-transfer: the encoding &quot;%1&quot; is not one this system can read.</source>
        <translation>tarnwick-transfer: الترميز &quot;%1&quot; ليس مما يستطيع هذا النظام قراءته.</translation>
    </message>
    <message>
        <source>%1: no such file.</source>
        <translation>%1: لا يوجد ملف بهذا الاسم.</translation>
    </message>
    <message>
        <source>%1 was not imported: %2.</source>
        <translation>لم يُستورد %1: %2.</translation>
    </message>
    <message>
        <source>%1 was not imported; nothing of it was stored: %2</source>
        <translation>لم يُستورد %1؛ لم يُحفظ منه شيء: %2</translation>
    </message>
    <message>
        <source>Nothing of %1 was imported: %2 of %3 refused.</source>
        <translation>لم يُستورد شيء من %1: رُفض %2 من %3.</translation>
    </message>
    <message>
        <source>, with %1 and %2 made</source>
        <translation>، وأُنشئ %1 و%2</translation>
    </message>
    <message>
        <source>Imported %1 from %2%3.</source>
        <translation>استُورد %1 من %2%3.</translation>
    </message>
    <message>
        <source>the encoding &quot;%1&quot; is not one this system can read</source>
        <translation>الترميز &quot;%1&quot; ليس مما يستطيع هذا النظام قراءته</translation>
    </message>
    <message>
        <source>line %1 is not %2; name the file&apos;s encoding with --encoding (windows-1256, for one)</source>
        <translation>السطر %1 ليس بترميز %2؛ اذكر ترميز الملف بالخيار --encoding (مثل windows-1256)</translation>
    </message>
    <message>
        <source>it holds no header naming the columns (%1)</source>
        <translation>ليس فيه سطر عناوين يسمي الأعمدة (%1)</translation>
    </message>
    <message>
        <source>its header cannot be read: %1</source>
        <translation>تتعذر قراءة سطر عناوينه: %1</translation>
    </message>
    <message>
        <source>its header names a column &quot;%1&quot;; the columns are %2</source>
        <translation>يسمي سطر عناوينه عمودًا &quot;%1&quot;؛ والأعمدة هي %2</translation>
    </message>
    <message>
        <source>its header names the column %1 twice</source>
        <translation>يسمي سطر عناوينه العمود %1 مرتين</translation>
    </message>
    <message>
        <source>its header lacks the columns %1</source>
        <translation>تنقص سطر عناوينه الأعمدة %1</translation>
    </message>
    <message>
        <source>its header lacks the column %1</source>
        <translation>ينقص سطر عناوينه العمود %1</translation>
    </message>
    <message>
        <source>it has %1 fields where the header names %2 columns</source>
        <translation>فيه %1 من الحقول بينما يسمي سطر العناوين %2 من الأعمدة</translation>
    </message>
    <message>
        <source>The %1 could not be read.</source>
        <translation>تعذرت قراءة %1.</translation>
    </message>
    <message>
        <source>The %1 could not be written.</source>
        <translation>تعذرت كتابة %1.</translation>
    </message>
    <message>
        <source>A database is named as tarnwick --database names it (sqlite:FILE,
postgresql://USER@HOST/NAME?OPTIONS, postgresql:///?service=NAME, odbc:CONNECTION), or by the
word production or development for the one the settings files name. It takes no password:
libpq reads it from ~/.pgpass, ODBC from its data source.</source>
        <translation>تُسمّى قاعدة البيانات كما يسميها الخيار tarnwick --database (sqlite:FILE أو
postgresql://USER@HOST/NAME?OPTIONS أو postgresql:///?service=NAME أو odbc:CONNECTION)، أو بكلمة
production أو development للقاعدة التي تسميها ملفات الإعدادات. ولا تُكتب فيها كلمة مرور:
تقرؤها libpq من ~/.pgpass، وODBC من مصدر بياناته.</translation>
    </message>
    <message>
        <source>Usage: %1 copy --from DATABASE --to DATABASE [--replace]
       %1 import --database DATABASE [--create-missing] [--encoding NAME] FILE.csv
       %1 export --database DATABASE [--category NAME] FILE.csv
       %1 --help | --version

Moves a Tarnwick directory between databases, imports places from CSV and exports them.

copy      Copies the whole directory (categories, cities, districts, places and their
          links, identifiers kept) in one transaction, and checks the copy. A target
          that holds a directory is refused unless --replace is given.
import    Stores the places of a CSV file, all or none.
export    Writes every place, or those under one category, as CSV (&quot;-&quot;: standard output).

%2

Exit status: 0 done, 1 failed or refused (nothing changed), 2 a mistake on the command line.
</source>
        <translation>الاستخدام: %1 copy --from DATABASE --to DATABASE [--replace]
       %1 import --database DATABASE [--create-missing] [--encoding NAME] FILE.csv
       %1 export --database DATABASE [--category NAME] FILE.csv
       %1 --help | --version

ينقل دليل Tarnwick بين قواعد البيانات، ويستورد الأماكن من ملف CSV ويصدّرها إليه.

copy      ينسخ الدليل كله (التصنيفات والمدن والأحياء والأماكن وروابطها، مع الإبقاء
          على المعرّفات) في معاملة واحدة، ثم يتحقق من النسخة. ويُرفض الهدف الذي
          يحتوي على دليل ما لم يُعطَ الخيار --replace.
import    يحفظ أماكن ملف CSV، كلها أو لا شيء منها.
export    يكتب كل الأماكن، أو التي تحت تصنيف واحد، بصيغة CSV (&quot;-&quot;: المخرج القياسي).

%2

حالة الخروج: 0 تم، 1 فشل أو رُفض (لم يتغير شيء)، 2 خطأ في سطر الأوامر.
</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>لم يُذكر أمر.</translation>
    </message>
    <message>
        <source>Unknown command: %1</source>
        <translation>أمر غير معروف: %1</translation>
    </message>
    <message>
        <source>%1 needs --%2.</source>
        <translation>يحتاج %1 إلى --%2.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>وسيط غير متوقع: %1</translation>
    </message>
    <message>
        <source>%1 needs the CSV file&apos;s name.</source>
        <translation>يحتاج %1 إلى اسم ملف CSV.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>أُعطي --%1 أكثر من مرة.</translation>
    </message>
    <message>
        <source>The database file %1 does not exist.</source>
        <translation>ملف قاعدة البيانات %1 غير موجود.</translation>
    </message>
    <message>
        <source>%1 It is set by %2.</source>
        <translation>%1 وقد ضُبط في %2.</translation>
    </message>
    <message>
        <source>, and the file made for it was taken away again</source>
        <translation>، وأُزيل الملف الذي أُنشئ له</translation>
    </message>
    <message>
        <source>, and the target is as it was</source>
        <translation>، وبقي الهدف على حاله</translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation>%1 من %2 %3</translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>، يتبقى %1</translation>
    </message>
    <message numerus="yes">
        <source>%n cities</source>
        <translation>
            <numerusform>%n مدينة</numerusform>
            <numerusform>مدينة واحدة</numerusform>
            <numerusform>مدينتان</numerusform>
            <numerusform>%n مدن</numerusform>
            <numerusform>%n مدينة</numerusform>
            <numerusform>%n مدينة</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n categories</source>
        <translation>
            <numerusform>%n تصنيف</numerusform>
            <numerusform>تصنيف واحد</numerusform>
            <numerusform>تصنيفان</numerusform>
            <numerusform>%n تصنيفات</numerusform>
            <numerusform>%n تصنيفًا</numerusform>
            <numerusform>%n تصنيف</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n districts</source>
        <translation>
            <numerusform>%n حي</numerusform>
            <numerusform>حي واحد</numerusform>
            <numerusform>حيّان</numerusform>
            <numerusform>%n أحياء</numerusform>
            <numerusform>%n حيًّا</numerusform>
            <numerusform>%n حي</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n places</source>
        <translation>
            <numerusform>%n مكان</numerusform>
            <numerusform>مكان واحد</numerusform>
            <numerusform>مكانان</numerusform>
            <numerusform>%n أماكن</numerusform>
            <numerusform>%n مكانًا</numerusform>
            <numerusform>%n مكان</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n links</source>
        <translation>
            <numerusform>%n رابط</numerusform>
            <numerusform>رابط واحد</numerusform>
            <numerusform>رابطان</numerusform>
            <numerusform>%n روابط</numerusform>
            <numerusform>%n رابطًا</numerusform>
            <numerusform>%n رابط</numerusform>
        </translation>
    </message>
    <message>
        <source>The target %1 holds a directory: %2, %3 and %4 besides the root. Nothing was changed; give --replace to replace it with the copy.</source>
        <translation>الهدف %1 يحتوي على دليل: %2 و%3 و%4 غير الجذر. لم يتغير شيء؛ أضف --replace لاستبداله بالنسخة.</translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>%n سجل</numerusform>
            <numerusform>سجل واحد</numerusform>
            <numerusform>سجلان</numerusform>
            <numerusform>%n سجلات</numerusform>
            <numerusform>%n سجلًا</numerusform>
            <numerusform>%n سجل</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new categories</source>
        <translation>
            <numerusform>%n تصنيف جديد</numerusform>
            <numerusform>تصنيف جديد واحد</numerusform>
            <numerusform>تصنيفان جديدان</numerusform>
            <numerusform>%n تصنيفات جديدة</numerusform>
            <numerusform>%n تصنيفًا جديدًا</numerusform>
            <numerusform>%n تصنيف جديد</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new districts</source>
        <translation>
            <numerusform>%n حي جديد</numerusform>
            <numerusform>حي جديد واحد</numerusform>
            <numerusform>حيّان جديدان</numerusform>
            <numerusform>%n أحياء جديدة</numerusform>
            <numerusform>%n حيًّا جديدًا</numerusform>
            <numerusform>%n حي جديد</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WebWindow</name>
    <message>
        <source>The web window could not be loaded: %1</source>
        <translation>تعذر تحميل نافذة الويب: %1</translation>
    </message>
    <message>
        <source>Error </source>
        <translation>خطأ </translation>
    </message>
</context>
<context>
    <name>frmAdd</name>
    <message>
        <source>Add New Information</source>
        <translation>إضافة معلومات جديدة</translation>
    </message>
    <message>
        <source>Add Place</source>
        <translation>إضافة مكان</translation>
    </message>
    <message>
        <source>Add New Place</source>
        <translation>إضافة مكان جديد</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>إ&amp;ضافة</translation>
    </message>
    <message>
        <source>Add Category</source>
        <translation>إضافة تصنيف</translation>
    </message>
    <message>
        <source>Add New Category</source>
        <translation>إضافة تصنيف جديد</translation>
    </message>
    <message>
        <source>Parent Category</source>
        <translation>التصنيف الأب</translation>
    </message>
    <message>
        <source>Category Name</source>
        <translation>اسم التصنيف</translation>
    </message>
    <message>
        <source>Add District</source>
        <translation>إضافة حي</translation>
    </message>
    <message>
        <source>Add New District</source>
        <translation>إضافة حي جديد</translation>
    </message>
    <message>
        <source>City Name</source>
        <translation>اسم المدينة</translation>
    </message>
    <message>
        <source>District Name</source>
        <translation>اسم الحي</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>إ&amp;غلاق</translation>
    </message>
    <message>
        <source>Error You Must Enter valid Place Name </source>
        <translation>خطأ: يجب إدخال اسم مكان صالح </translation>
    </message>
    <message>
        <source>You Can&apos;t Enter a Place without Address </source>
        <translation>لا يمكن إدخال مكان بلا عنوان </translation>
    </message>
    <message>
        <source>the place was not added.</source>
        <translation>لم يُضف المكان.</translation>
    </message>
    <message>
        <source>The place &quot;%1&quot; was not added.</source>
        <translation>لم يُضف المكان &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The place &quot;%1&quot; was not added; nothing of it was stored.</source>
        <translation>لم يُضف المكان &quot;%1&quot;؛ لم يُحفظ منه شيء.</translation>
    </message>
    <message>
        <source>This Place name and address are repeated ,This can&apos;t be added<byte value="xd"/>
Update the existing place or change this place name </source>
        <translation>اسم هذا المكان وعنوانه مكرران، ولا يمكن إضافته<byte value="xd"/>
عدّل المكان الموجود أو غيّر اسم هذا المكان </translation>
    </message>
    <message>
        <source>Repeated Entry</source>
        <translation>إدخال مكرر</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; was deleted by someone else after this dialog was opened; choose another Parent Category.</source>
        <translation>حذف شخص آخر التصنيف &quot;%1&quot; بعد فتح هذه النافذة؛ اختر تصنيفًا أبًا آخر.</translation>
    </message>
    <message>
        <source>The parent category &quot;%1&quot; was deleted by someone else after this dialog was opened.</source>
        <translation>حذف شخص آخر التصنيف الأب &quot;%1&quot; بعد فتح هذه النافذة.</translation>
    </message>
    <message>
        <source>Error You Must Enter valid Category Name </source>
        <translation>خطأ: يجب إدخال اسم تصنيف صالح </translation>
    </message>
    <message>
        <source>the category was not added.</source>
        <translation>لم يُضف التصنيف.</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; was not added.</source>
        <translation>لم يُضف التصنيف &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Error You Must Enter valid District Name </source>
        <translation>خطأ: يجب إدخال اسم حي صالح </translation>
    </message>
    <message>
        <source>the district was not added.</source>
        <translation>لم يُضف الحي.</translation>
    </message>
    <message>
        <source>The district &quot;%1&quot; was not added.</source>
        <translation>لم يُضف الحي &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>frmDinning</name>
    <message>
        <source>Search on the Web</source>
        <translation>البحث على الإنترنت</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;رجوع</translation>
    </message>
    <message>
        <source>Web page</source>
        <translation>صفحة الويب</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Categories</source>
        <translation>التصنيفات</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>الأماكن</translation>
    </message>
    <message>
        <source>Connected To DB</source>
        <translation>متصل بقاعدة البيانات</translation>
    </message>
    <message>
        <source>Connection To DB Lost</source>
        <translation>انقطع الاتصال بقاعدة البيانات</translation>
    </message>
    <message>
        <source>Can&apos;t Connect To Data Base Check network or Contact System Administrator</source>
        <translation>تعذر الاتصال بقاعدة البيانات، افحص الشبكة أو اتصل بمسؤول النظام</translation>
    </message>
    <message>
        <source>Error </source>
        <translation>خطأ </translation>
    </message>
    <message>
        <source>Are you Sure you want to delete    %1</source>
        <translation>هل أنت متأكد من حذف    %1</translation>
    </message>
    <message>
        <source>Delete Category Error</source>
        <translation>خطأ في حذف التصنيف</translation>
    </message>
    <message>
        <source> Place Can&apos;t be Deleted </source>
        <translation> تعذر حذف المكان </translation>
    </message>
    <message>
        <source>Delete Place</source>
        <translation>حذف مكان</translation>
    </message>
    <message>
        <source>DataBase Error</source>
        <translation>خطأ في قاعدة البيانات</translation>
    </message>
    <message>
        <source>The place &quot;%1&quot; was changed by someone else since the list showed it: it is now &quot;%2&quot;.

Delete &quot;%2&quot;?</source>
        <translation>غيّر شخص آخر المكان &quot;%1&quot; بعد أن عرضته القائمة: اسمه الآن &quot;%2&quot;.

هل تحذف &quot;%2&quot;؟</translation>
    </message>
    <message>
        <source> Place  Deleted </source>
        <translation> حُذف المكان </translation>
    </message>
    <message>
        <source>You Can&apos;t delete the Root Category </source>
        <translation>لا يمكن حذف التصنيف الجذر </translation>
    </message>
    <message>
        <source>You Can&apos;t delete a parent Category before deleting it&apos;s Children</source>
        <translation>لا يمكن حذف تصنيف أب قبل حذف التصنيفات التابعة له</translation>
    </message>
    <message>
        <source>You Can&apos;t delete a parent Category before deleting or moving related places </source>
        <translation>لا يمكن حذف تصنيف أب قبل حذف الأماكن المرتبطة به أو نقلها </translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>حذف تصنيف</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; was changed by someone else since the tree showed it: it is now &quot;%2&quot;.

Delete &quot;%2&quot;?</source>
        <translation>غيّر شخص آخر التصنيف &quot;%1&quot; بعد أن عرضته الشجرة: اسمه الآن &quot;%2&quot;.

هل تحذف &quot;%2&quot;؟</translation>
    </message>
    <message>
        <source>%1  Deleted </source>
        <translation>حُذف  %1 </translation>
    </message>
    <message>
        <source>Loading places: %1</source>
        <translation>جارٍ تحميل الأماكن: %1</translation>
    </message>
    <message>
        <source>Dinning</source>
        <translation>مطاعم</translation>
    </message>
    <message>
        <source>Find on the internet</source>
        <translation>البحث على الإنترنت</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>بحث</translation>
    </message>
    <message>
        <source>Find Place</source>
        <translation>البحث عن مكان</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>إضافة</translation>
    </message>
    <message>
        <source>Add New Items</source>
        <translation>إضافة عناصر جديدة</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>الإنترنت</translation>
    </message>
    <message>
        <source>Open Internet Window</source>
        <translation>فتح نافذة الإنترنت</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>تحديث</translation>
    </message>
    <message>
        <source>Show all Places</source>
        <translation>عرض كل الأماكن</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>تعديل</translation>
    </message>
    <message>
        <source>Update Record</source>
        <translation>تعديل السجل</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>السابق</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>التالي</translation>
    </message>
    <message>
        <source>Delete Cat</source>
        <translation>حذف تصنيف</translation>
    </message>
    <message>
        <source>Exit </source>
        <translation>خروج </translation>
    </message>
    <message>
        <source>Exit Application</source>
        <translation>الخروج من البرنامج</translation>
    </message>
    <message>
        <source>Main Categories</source>
        <translation>التصنيفات الرئيسية</translation>
    </message>
    <message>
        <source>The categories could not all be read.</source>
        <translation>تعذرت قراءة كل التصنيفات.</translation>
    </message>
    <message>
        <source>Tarnwick</source>
        <translation>Tarnwick</translation>
    </message>
    <message>
        <source>The settings file cannot be read</source>
        <translation>تعذرت قراءة ملف الإعدادات</translation>
    </message>
    <message>
        <source>The database file cannot be used</source>
        <translation>لا يمكن استخدام ملف قاعدة البيانات</translation>
    </message>
    <message>
        <source>The folder cannot be made</source>
        <translation>تعذر إنشاء المجلد</translation>
    </message>
    <message>
        <source>Changes cannot be stored in the database file %1</source>
        <translation>لا يمكن حفظ التعديلات في ملف قاعدة البيانات %1</translation>
    </message>
    <message>
        <source>Save List As…</source>
        <translation>حفظ القائمة باسم…</translation>
    </message>
    <message>
        <source>Save List As</source>
        <translation>حفظ القائمة باسم</translation>
    </message>
    <message>
        <source>The list was not saved to &quot;%1&quot;: %2</source>
        <translation>لم تُحفظ القائمة في &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>frmUpdate</name>
    <message>
        <source>Add New Information</source>
        <translation>إضافة معلومات جديدة</translation>
    </message>
    <message>
        <source>Add New Place</source>
        <translation>إضافة مكان جديد</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;تعديل</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>إ&amp;لغاء</translation>
    </message>
    <message>
        <source>Error You Must Enter valid Place Name </source>
        <translation>خطأ: يجب إدخال اسم مكان صالح </translation>
    </message>
    <message>
        <source>the place was not updated.</source>
        <translation>لم يُعدّل المكان.</translation>
    </message>
    <message>
        <source>The place &quot;%1&quot; was not updated; nothing of the change was stored.</source>
        <translation>لم يُعدّل المكان &quot;%1&quot;؛ لم يُحفظ شيء من التعديل.</translation>
    </message>
    <message>
        <source>The place was deleted after this window was opened, so it is not stored again. To keep it, add it anew in &quot;Add New Information&quot;.</source>
        <translation>حُذف المكان بعد فتح هذه النافذة، فلن يُحفظ من جديد. لإبقائه أضفه من جديد في &quot;إضافة معلومات جديدة&quot;.</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; was deleted after this window was opened. Choose another Parent Category; the place was not updated.</source>
        <translation>حُذف التصنيف &quot;%1&quot; بعد فتح هذه النافذة. اختر تصنيفًا أبًا آخر؛ لم يُعدّل المكان.</translation>
    </message>
    <message>
        <source>Someone else changed &quot;%1&quot; since the list showed it: %2.

Store what this window holds over their changes?</source>
        <translation>غيّر شخص آخر &quot;%1&quot; بعد أن عرضته القائمة: %2.

هل تحفظ ما في هذه النافذة بدلًا من تعديلاته؟</translation>
    </message>
    <message>
        <source>, </source>
        <translation>، </translation>
    </message>
    <message>
        <source>Place Changed</source>
        <translation>تغيّر المكان</translation>
    </message>
</context>
</TS>
