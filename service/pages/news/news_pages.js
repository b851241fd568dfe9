// The article pages of the site host: forms sent with the login the page was opened with, answers
// read from the service's envelope, and "success" to the desktop after every save.
(function () {
    "use strict";

    function kind() {
        return document.getElementById("page").dataset.kind;
    }

    function showMessage(text, ok) {
        var box = document.getElementById("message");
        box.textContent = text;
        box.className = "message " + (ok ? "ok" : "error");
    }

    function answered(response) {
        return response.json().then(function (envelope) {
            if (envelope.code === 200)
                return envelope;
            if (envelope.code === 400)
                throw new Error("登录已失效，请重新登录后再打开此页面");
            throw new Error(envelope.message || "操作失败，请稍后重试");
        }, function () {
            throw new Error("服务返回的数据无法识别");
        });
    }

    function send(path, body, headers) {
        var init = { method: "POST", credentials: "same-origin", body: body };
        if (headers)
            init.headers = headers;
        return fetch(path, init).then(answered, function () {
            throw new Error("网络异常，请稍后重试");
        });
    }

    // A form to this kind's call, e.g. "save" for "zixun_save".
    function postForm(action, values) {
        return send(kind() + "_" + action, new URLSearchParams(values).toString(),
                    { "Content-Type": "application/x-www-form-urlencoded;charset=UTF-8" });
    }

    // After a save the desktop closes the page and reloads its list; a browser shows the change.
    function saved(text, reload) {
        if (window.sendToDesktop && window.sendToDesktop("success"))
            return;
        showMessage(text, true);
        if (reload)
            window.setTimeout(function () { window.location.reload(); }, 600);
    }

    // One call at a time per button.
    function run(button, work) {
        button.disabled = true;
        work().catch(function (error) {
            showMessage(error.message, false);
        }).then(function () {
            button.disabled = false;
        });
    }

    // A picture chosen in the file box is uploaded and its address put into the address box.
    function pictureField(address, file, preview) {
        function showPreview() {
            var value = address.value.trim();
            preview.style.display = value ? "block" : "none";
            if (value)
                preview.src = value;
        }
        address.addEventListener("change", showPreview);
        file.addEventListener("change", function () {
            if (!file.files.length)
                return;
            var data = new FormData();
            data.append("type", "10");
            data.append("file", file.files[0]);
            showMessage("图片上传中…", true);
            send("../api/app/upphoto", data).then(function (envelope) {
                address.value = envelope.data.url;
                showPreview();
                showMessage("图片已上传", true);
            }).catch(function (error) {
                showMessage(error.message, false);
            });
        });
        showPreview();
    }

    // Clicks on the buttons of a table's rows: handler(row, button).
    function onRowButtons(tableId, handler) {
        document.getElementById(tableId).addEventListener("click", function (event) {
            var button = event.target.closest("button");
            var row = button && button.closest("tr[data-id]");
            if (row)
                handler(row, button);
        });
    }

    function field(form, name) {
        return form.elements.namedItem(name);
    }

    window.initArticlePage = function () {
        var form = document.getElementById("articleForm");
        pictureField(field(form, "img"), document.getElementById("imgFile"), document.getElementById("imgPreview"));
        form.addEventListener("submit", function (event) {
            event.preventDefault();
            if (!field(form, "title").value.trim()) {
                showMessage("请输入标题", false);
                return;
            }
            if (!field(form, "content").value.trim()) {
                showMessage("请输入内容", false);
                return;
            }
            run(document.getElementById("saveButton"), function () {
                return postForm("save", new FormData(form)).then(function () {
                    saved("保存成功", false);
                    if (!field(form, "id").value)
                        form.reset();
                });
            });
        });
    };

    window.initCategoryPage = function () {
        var form = document.getElementById("categoryForm");
        form.addEventListener("submit", function (event) {
            event.preventDefault();
            var name = field(form, "name").value.trim();
            if (!name) {
                showMessage("请输入类目名称", false);
                return;
            }
            run(document.getElementById("addButton"), function () {
                return postForm("menu_save", { name: name, sort: field(form, "sort").value }).then(function () {
                    saved("类目已添加", true);
                });
            });
        });
        onRowButtons("categoryTable", function (row, button) {
            var name = row.querySelector(".name").value.trim();
            if (button.classList.contains("save")) {
                if (!name) {
                    showMessage("请输入类目名称", false);
                    return;
                }
                run(button, function () {
                    return postForm("menu_save", { id: row.dataset.id, name: name, sort: row.querySelector(".sort").value })
                        .then(function () { saved("类目已保存", true); });
                });
            } else if (window.confirm("确定删除类目【" + name + "】吗？其中的文章会保留，但不再属于任何类目。")) {
                run(button, function () {
                    return postForm("menu_remove", { id: row.dataset.id }).then(function () { saved("类目已删除", true); });
                });
            }
        });
    };

    window.initPicturePage = function () {
        var form = document.getElementById("pictureForm");
        pictureField(field(form, "img"), document.getElementById("imgFile"), document.getElementById("imgPreview"));
        form.addEventListener("submit", function (event) {
            event.preventDefault();
            if (!field(form, "img").value.trim()) {
                showMessage("请选择图片", false);
                return;
            }
            run(document.getElementById("addButton"), function () {
                return postForm("img_add", {
                    img: field(form, "img").value.trim(),
                    link: field(form, "link").value.trim(),
                    sort: field(form, "sort").value
                }).then(function () { saved("图片已添加", true); });
            });
        });
        onRowButtons("pictureTable", function (row, button) {
            if (window.confirm("确定删除这张图片吗？")) {
                run(button, function () {
                    return postForm("img_remove", { id: row.dataset.id }).then(function () { saved("图片已删除", true); });
                });
            }
        });
    };
})();
